// Looks at the running program's main window from another process, for the
// desktop and trace tests (tests/escritorio.sh, tests/rastro.sh), which see
// the X side of it:
//   mirar_ventana medir    prints the window's rectangle and its client area
//                          on the screen: x y width height  cx cy cwidth cheight
//   mirar_ventana cerrar   asks the window to close, as its close box does
#include <windows.h>
#include <cstdio>
#include <cstring>

int main(int argc, char **argv)
{
    HWND ventana = FindWindowA("ventana", nullptr);
    if (!ventana || argc < 2) {
        std::fprintf(stderr, "mirar_ventana: %s\n", ventana ? "falta la orden" : "no hay ventana");
        return 2;
    }
    if (std::strcmp(argv[1], "cerrar") == 0)
        return PostMessageA(ventana, WM_CLOSE, 0, 0) ? 0 : 1;
    RECT marco, cliente;
    GetWindowRect(ventana, &marco);
    GetClientRect(ventana, &cliente);
    POINT origen = {0, 0};
    ClientToScreen(ventana, &origen);
    std::printf("%ld %ld %ld %ld %ld %ld %ld %ld\n", marco.left, marco.top, marco.right - marco.left,
                marco.bottom - marco.top, origen.x, origen.y, cliente.right, cliente.bottom);
    return 0;
}
