// The main window: start-up, the message loop and the window procedure that
// hands every message to the module that handles it.
#ifndef PULSAFINA_VENTANA_H
#define PULSAFINA_VENTANA_H

#include <windows.h>

// Sets the start values, loads the rich-text library, registers the class
// and creates the main window. Returns the window, or null when the class
// cannot be registered.
HWND crear_ventana_principal(HINSTANCE instancia);
// Runs the message loop until the quit message and returns its code.
int ejecutar_bucle();
void liberar_recursos();

LRESULT CALLBACK procedimiento_ventana(HWND ventana, UINT mensaje, WPARAM wParam, LPARAM lParam);

#endif
