// The practice of one lesson: starting it with c, checking, painting and
// counting each keystroke, moving on to the next lesson, the lesson buttons,
// the seconds counter and keeping the keyboard focus on the main window.
#ifndef PULSAFINA_PRACTICA_H
#define PULSAFINA_PRACTICA_H

#include <windows.h>

void procesar_caracter(unsigned char c);
void elegir_leccion(HWND control);
void contar_segundo();
// The main window loses the focus to foco_nuevo.
void vigilar_foco(HWND foco_nuevo);

#endif
