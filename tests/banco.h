// Test bench: the real main window, created in the test process, driven with
// real messages and read back through its controls and the program's state.
#ifndef PULSAFINA_BANCO_H
#define PULSAFINA_BANCO_H

#include <gtest/gtest.h>
#include <windows.h>
#include <string>

class Ventana : public ::testing::Test {
protected:
    HWND ventana = nullptr;
    void SetUp() override;
    void TearDown() override;
};

// Starts the program's main window in this process and shows it, as a
// run of the program would; cerrar ends that run. The two can be repeated.
HWND arrancar();
void cerrar(HWND ventana);
// Dispatches every message waiting in the thread's queue.
void procesar_mensajes();
void escribir(HWND ventana, const char *texto);
void escribir_caracter(HWND ventana, unsigned char c);
std::string texto_de(HWND control);
// The same without the CR that a rich-text pane puts before each LF.
std::string texto_plano(HWND control);
// Text colour of the lesson pane's character at indice.
COLORREF color_en(int indice);
// A child's rectangle in its parent's client coordinates.
RECT rectangulo_de(HWND control);
// Sends WM_SIZE with a client size as the platform would report it.
void redimensionar(HWND ventana, int ancho_cliente, int alto_cliente);
// Waits up to 30 s for each child process of this one to end. Returns the
// name of the first that had not ended, or "" when all had.
std::string esperar_procesos_hijos();

#endif
