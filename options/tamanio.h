// The letter-size dialog: its scroll bar steps the size of the lesson pane's
// letters, applied when the dialog closes.
#ifndef PULSAFINA_TAMANIO_H
#define PULSAFINA_TAMANIO_H

#include <windows.h>

const int ID_BARRA_TAMANIO = 11;
const int ID_ACEPTAR_TAMANIO = 12;
const int TAMANIO_MINIMO = 0, TAMANIO_MAXIMO = 100;

// Command 6: opens the dialog, then applies the size.
void elegir_tamanio(HWND ventana);
INT_PTR CALLBACK proc_tamanio(HWND dialogo, UINT mensaje, WPARAM wParam, LPARAM lParam);

#endif
