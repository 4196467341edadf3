// The four colour options, chosen in the standard colour dialog.
#ifndef PULSAFINA_COLORES_H
#define PULSAFINA_COLORES_H

#include <windows.h>

enum Comando {
    COMANDO_COLOR_CORRECTA = 1,
    COMANDO_COLOR_INCORRECTA = 2,
    COMANDO_COLOR_NORMAL = 3,
    COMANDO_AYUDA = 4,
    COMANDO_AUTOR = 5,
    COMANDO_TAMANIO = 6,
    COMANDO_COLOR_FONDO = 7,
    COMANDO_PUBLICIDAD = 8,
};

// Fills the colour dialog's record once, before the main window exists.
void preparar_dialogo_color();
// Commands 1, 2, 3 and 7.
void elegir_color(int comando);

#endif
