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
        if (!strcmp(argv[i], "--seed") && con_valor)
            opciones.semilla = strtoull(argv[++i], nullptr, 10);
        else if (!strcmp(argv[i], "--stop") && con_valor)
            opciones.parar = strtol(argv[++i], nullptr, 10);
        else if (!strcmp(argv[i], "--mensajes") && con_valor)
            opciones.mensajes = strtol(argv[++i], nullptr, 10);
        else if (!strcmp(argv[i], "--vueltas") && con_valor)
            opciones.vueltas = atoi(argv[++i]);
        else if (!strcmp(argv[i], "--soak"))
            opciones.soak = true;
        else if (!strcmp(argv[i], "--solo-soak"))
            opciones.solo_soak = true;
        else {
            fprintf(stderr, "Uso: abusar [--seed S] [--stop N] [--mensajes M] [--soak] [--solo-soak] [--vueltas R]\n");
            return 2;
        }
    }
    // Without a seed, one from the clock; it is printed, so the run can be
    // repeated.
    if (opciones.semilla == 0)
        opciones.semilla = (unsigned long long)GetTickCount64() * 2654435761ull % 1000000007ull + 1;
    return abusar(opciones) ? 0 : 1;
}
