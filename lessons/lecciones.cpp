// Looking up a lesson and putting its texts into the lesson pane.
#include "lessons/lecciones.h"
#include "app/estado.h"
#include "app/paneles.h"

const Leccion &leccion_elegida(int n)
{
    if (n >= 2 && n <= NUMERO_LECCIONES)
        return lecciones[n - 1];
    return lecciones[0];
}

static void poner_texto(const char *texto, bool para_escribir)
{
    if (para_escribir)
        poner_practica(texto);
    else
        poner_texto_leccion(texto);
    pintar_resto();
    // Selecting up to the end scrolls the pane there; a new text is read
    // from its first line.
    SendMessageA(panel_leccion, WM_VSCROLL, SB_TOP, 0);
}

void mostrar_introduccion(int n)
{
    poner_texto(leccion_elegida(n).introduccion, false);
}

int cargar_practica(int n)
{
    poner_texto(leccion_elegida(n).practica, true);
    return GetWindowTextLengthA(panel_leccion);
}
