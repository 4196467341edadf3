// For the benchmark: prints the text of Pulsafina's statistics pane (or, with
// "leccion", of its lesson pane) from another process, so that a script can
// check that the keys it typed reached the program. "cerrar <title>" closes a
// top-level window the way its close box would.
#include <windows.h>
#include <cstdio>
#include <cstring>

static HWND paneles[2];

static BOOL CALLBACK anotar(HWND hijo, LPARAM cuenta)
{
    char clase[32];
    int *n = (int *)cuenta;
    if (GetClassNameA(hijo, clase, sizeof clase) && strcmp(clase, "RichEdit20A") == 0 && *n < 2)
        paneles[(*n)++] = hijo;
    return TRUE;
}

int main(int argc, char **argv)
{
    if (argc > 2 && strcmp(argv[1], "cerrar") == 0) {
        HWND ventana = FindWindowA(nullptr, argv[2]);
        return ventana && PostMessageA(ventana, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    HWND ventana = FindWindowA("ventana", "Pulsafina - Norvedo Software");
    if (!ventana)
        return 1;
    int n = 0;
    EnumChildWindows(ventana, anotar, (LPARAM)&n);
    if (n < 2)
        return 1;
    // The lesson pane is the wider of the two.
    RECT a, b;
    GetWindowRect(paneles[0], &a);
    GetWindowRect(paneles[1], &b);
    if (a.right - a.left < b.right - b.left) {
        HWND h = paneles[0];
        paneles[0] = paneles[1];
        paneles[1] = h;
    }
    static char texto[4096];
    bool leccion = argc > 1 && strcmp(argv[1], "leccion") == 0;
    SendMessageA(paneles[leccion ? 0 : 1], WM_GETTEXT, sizeof texto, (LPARAM)texto);
    fputs(texto, stdout);
    return 0;
}
