// Stands in for the web browser in the test prefix: appends the address the
// shell hands it, and a line feed, to the file named by PULSAFINA_DIRECCIONES,
// so that a test can read back every page the program opened.
#include <windows.h>
#include <stdlib.h>
#include <string.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char ruta[MAX_PATH];
    DWORD largo = GetEnvironmentVariableA("PULSAFINA_DIRECCIONES", ruta, sizeof ruta);
    if (__argc < 2 || largo == 0 || largo >= sizeof ruta)
        return 1;
    // Appending with one write per address keeps the lines whole when several
    // copies run at once.
    char linea[2048];
    size_t n = strlen(__argv[1]);
    if (n > sizeof linea - 1)
        n = sizeof linea - 1;
    memcpy(linea, __argv[1], n);
    linea[n++] = '\n';
    HANDLE archivo = CreateFileA(ruta, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (archivo == INVALID_HANDLE_VALUE)
        return 1;
    DWORD escritos;
    WriteFile(archivo, linea, (DWORD)n, &escritos, nullptr);
    CloseHandle(archivo);
    return 0;
}
