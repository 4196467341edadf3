// The abuse command's program (see tools/abusar.sh): reads the options and
// runs the abuse of the main window in this process.
#include "abuso.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <windows.h>

int main(int argc, char **argv)
{
    Abuso opciones;
    opciones.semilla = 0;
    for (int i = 1; i < argc; i++) {
        bool con_valor = i + 1 < argc;
        if (!strcmp(argv[i], "--semilla") && con_valor)
            opciones.semilla = strtoull(argv[++i], nullptr, 10);
        else if (!strcmp(argv[i], "--hasta") && con_valor)
            opciones.parar = strtol(argv[++i], nullptr, 10);
        else if (!strcmp(argv[i], "--mensajes") && con_valor)
            opciones.mensajes = strtol(argv[++i], nullptr, 10);
        else if (!strcmp(argv[i], "--vueltas") && con_valor)
            opciones.vueltas = atoi(argv[++i]);
        else if (!strcmp(argv[i], "--recorrido"))
            opciones.recorrido = true;
        else if (!strcmp(argv[i], "--solo-recorrido"))
            opciones.solo_recorrido = true;
        else {
            fprintf(stderr, "Uso: abusar [--semilla S] [--hasta N] [--mensajes M] [--recorrido] [--solo-recorrido] [--vueltas R]\n");
            return 2;
        }
    }
    // Without a starting number, one from the clock; it is printed, so the run can be
    // repeated.
    if (opciones.semilla == 0)
        opciones.semilla = (unsigned long long)GetTickCount64() * 2654435761ull % 1000000007ull + 1;
    return abusar(opciones) ? 0 : 1;
}
