// Screen check: what the screen shows of the main window's client area must
// equal a full repaint of the same state. Besides the comparison, every
// visible key cell must show its label, and the highlight and the arrow must
// show their red exactly while they are visible.
#ifndef PULSAFINA_PANTALLA_H
#define PULSAFINA_PANTALLA_H

#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

struct Captura {
    int ancho = 0, alto = 0;
    std::vector<uint32_t> pixeles;   // 0x00RRGGBB, top row first
    uint32_t en(int x, int y) const { return pixeles[(size_t)y * ancho + x]; }
};

// Lets every pending paint run and reach the X server.
void esperar_pinturas();
// The main window's client area as the screen shows it now.
Captura capturar(HWND ventana);
// Fails the running test, naming the children under the differing pixels and
// keeping both pictures as BMP files named after the step.
void comprobar_pantalla(HWND ventana, const char *paso);

// Runs a program of the X host (a full path and its arguments) and
// dispatches this thread's messages until it ends: the key events that it
// sends arrive meanwhile. True when it ran; Wine does not pass on a host
// program's exit status, so what it did must be seen by its effect.
bool ejecutar_en_x(const char *orden);
// xdotool with these arguments, e.g. "key a".
bool xdotool(const char *argumentos);
// Gives the X keyboard focus to the main window, as a click would.
bool enfocar_por_x(HWND ventana);

#endif
