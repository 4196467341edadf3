// Drawing a child of the main window at once, where it stands, through the
// main window's own DC, instead of waiting for its paint message.
#ifndef PULSAFINA_DIBUJO_H
#define PULSAFINA_DIBUJO_H

#include <windows.h>

// Draws control as it draws itself, only within parte (control's client
// coordinates) when given, leaving out the shown children stacked above it;
// false when it could not be drawn.
bool dibujar_ahora(HWND control, const RECT *parte);

// Fills zona (main window client coordinates) with the window's background,
// leaving out every shown child.
void rellenar_fondo(const RECT &zona);

// Makes what the drawing keeps, when the window is made; without it,
// dibujar_ahora draws no picture and no key cell, and says so.
void preparar_dibujo();

// Gives back what the drawing keeps: when the window goes.
void soltar_dibujo();

#endif
