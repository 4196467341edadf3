// The main window's children: creating them once, laying them out on the
// client area at every resize, and holding the window to its minimum size.
#ifndef PULSAFINA_CONTROLES_H
#define PULSAFINA_CONTROLES_H

#include <windows.h>

// Smallest client area that holds the keyboard and the hands side by side.
const int ANCHO_MINIMO = 713;
const int ALTO_MINIMO = 400;
// What a clamped dimension is set to.
const int ANCHO_AMPLIADO = 733;
const int ALTO_AMPLIADO = 500;

void crear_controles(HWND ventana);
// Deletes the pictures' bitmaps once the window that shows them is destroyed.
void liberar_imagenes();
void crear_botones(HWND ventana);
void colocar_controles();
void colocar_paneles_antes_del_texto(HWND ventana);
// Moves, sizes and shows a child, keeping its place in the stacking order;
// the child is painted afresh at its new place.
void mover_control(HWND control, int x, int y, int ancho_control, int alto_control);

// WM_SIZE: keeps the client size, enforces the minimum, lays out.
void cambiar_tamanio(HWND ventana, WPARAM tipo, LPARAM medidas);
// WM_GETMINMAXINFO: the frame cannot be dragged below the minimum.
void limitar_tamanio(HWND ventana, MINMAXINFO *limites);

#endif
