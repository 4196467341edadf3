// The 44 key-label cells and their two label sets, switched by Shift and
// Caps Lock.
#ifndef PULSAFINA_ROTULOS_H
#define PULSAFINA_ROTULOS_H

#include <windows.h>

extern const unsigned char rotulos_minusculas[44];
extern const unsigned char rotulos_mayusculas[44];

void crear_celdas(HWND ventana);
void rotular_celdas(bool en_minusculas);

// WM_KEYDOWN and WM_KEYUP of the main window. estado is the lParam.
void pulsar_tecla(WPARAM tecla, LPARAM estado);
void soltar_tecla(WPARAM tecla);
// WM_SETFOCUS of the main window.
void recobrar_rotulos();

#endif
