// Help: the maker's web pages, the about box and the banner that links to
// the home page.
#ifndef PULSAFINA_AYUDA_H
#define PULSAFINA_AYUDA_H

#include <windows.h>

extern const char pagina_inicio[];
extern const char pagina_publicidad[];
extern const char texto_autor[];

// Opens an address in the user's browser.
void abrir_pagina(const char *direccion);
void mostrar_autor();

// WM_MOUSEMOVE with client coordinates, WM_LBUTTONDOWN, and WM_SETCURSOR
// (true when the pointer shape was set here).
void seguir_puntero(LPARAM posicion_puntero);
void pulsar_logo();
bool poner_cursor(HWND ventana, HWND bajo_puntero, WORD zona);

#endif
