// The course's twenty lessons, constant data, and the two operations that put
// a lesson's introduction or practice text into the lesson pane.
#ifndef PULSAFINA_LECCIONES_H
#define PULSAFINA_LECCIONES_H

struct Leccion {
    int numero;                 // 1..20, its place in the catalogue
    const char *introduccion;   // Windows-1252, LF line breaks
    const char *practica;       // Windows-1252, one line
};

const int NUMERO_LECCIONES = 20;

extern const Leccion lecciones[NUMERO_LECCIONES];

// The lesson that n stands for: n itself for 2..20, lesson 1 for anything else.
const Leccion &leccion_elegida(int n);

// Both replace the pane's text and repaint it in the normal colour from
// rango_actual.cpMax - 1 to the end.
void mostrar_introduccion(int n);
int cargar_practica(int n);   // returns the pane's text length

#endif
