// Key geometry and the finger guide: every cell sits on the key of its label;
// every typed character lights its key and points an arrow at its finger.
#ifndef PULSAFINA_GUIA_H
#define PULSAFINA_GUIA_H

#include <windows.h>

struct Tecla;

// The key that types c, or null for characters without a key (the space
// bar has one).
const Tecla *buscar_tecla(unsigned char c);

void colocar_celdas();
unsigned char primer_caracter(HWND ventana);
void mostrar_guia(unsigned char c);
void ocultar_guia();

#endif
