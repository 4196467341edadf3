// Keeps the test prefix's desktop open for the whole run. The wineserver
// closes a desktop one second after its last program has left it; the next
// test to start then starts Wine's desktop process again, as its own child,
// and a test that waits for its children would wait for that one too. This
// program's thread joins the desktop through a message-only window, which
// nobody sees, and stays until tools/probar.sh stops the wineserver.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (!CreateWindowExA(0, "static", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr))
        return 1;
    MSG mensaje;
    while (GetMessageA(&mensaje, nullptr, 0, 0) > 0)
        DispatchMessageA(&mensaje);
    return 0;
}
