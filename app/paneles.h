// Operations on the rich-text lesson pane: colouring a range, the letter size
// and the background. The statistics pane is only ever given plain text; both
// panes draw at once what a change of their text leaves to paint.
#ifndef PULSAFINA_PANELES_H
#define PULSAFINA_PANELES_H

#include <windows.h>

// Paints the character at rango_actual in the given colour.
void pintar_caracter(COLORREF color);

// Replaces the text of the lesson pane, freeing all of the text it held.
void poner_texto_leccion(const char *texto);

// Puts a practice text into the lesson pane in short runs of formats that
// draw the same, cheap to lay out again after each letter's colour.
void poner_practica(const char *texto);

// Paints from rango_actual.cpMax - 1 to the end of the text in color_normal:
// the part of the lesson pane not yet typed.
void pintar_resto();

// Gives all the text of the lesson pane, and the text put into it later,
// the height in twips.
void aplicar_altura(LONG twips);

void aplicar_fondo(COLORREF color);

// Around the handling of a keystroke: asks once, before anything is drawn,
// whether any window of the program waits to be painted.
void abrir_pulsacion();
void cerrar_pulsacion();

// Whether a pane waits to be painted, and where when donde is given; within
// a keystroke that found nothing waiting, known without asking.
bool espera_pintura(HWND panel, RECT *donde);

// Draws a pane at once, leaving no paint message; only when what waits is
// what a change of its text or format alone has left to paint.
void pintar_panel(HWND panel);

#endif
