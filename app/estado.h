// The application state: every process-wide field of the program, given its
// start value by poner_estado_inicial. Only the message loop's thread touches
// it.
#ifndef PULSAFINA_ESTADO_H
#define PULSAFINA_ESTADO_H

#include <windows.h>
#include <richedit.h>
#include <commdlg.h>

const int TECLAS = 44;
const int BOTONES = 20;
const int TAMANIO_TEXTO_PRACTICA = 1000;

// Practice
extern int leccion_actual;
extern bool practicando;
extern int errores;
extern int aciertos;
extern float pulsaciones;
extern float puntuacion;
extern int restantes;
extern int segundos;
extern char texto_practica[TAMANIO_TEXTO_PRACTICA];

// Painting the lesson pane. posicion is rango_actual.cpMin under another name.
extern CHARRANGE rango_actual;
extern LONG &posicion;
extern CHARRANGE rango_resto;
extern CHARFORMATA formato;

// Options
extern COLORREF color_correcta;
extern COLORREF color_incorrecta;
extern COLORREF color_normal;
extern COLORREF color_fondo;
extern int tamanio;
extern CHOOSECOLORA dialogo_color;
extern COLORREF colores_personalizados[16];

// Keyboard guide
extern bool minusculas;
extern int dedo;

// Geometry, in client pixels of the main window
extern int ancho;
extern int alto;
extern int teclado_x, teclado_y;
extern int manos_x, manos_y;
extern int logo_x;
extern int sobre_logo;

// Handles
extern HINSTANCE hInstance;
extern HMODULE modulo_richedit;
extern HCURSOR cursor_normal, cursor_mano;
extern UINT_PTR temporizador;
extern HWND ventana_principal;
extern HWND imagen_teclado, imagen_manos, imagen_logo, imagen_tecla, imagen_flecha;
extern HWND celdas_tecla[TECLAS];
extern HWND panel_leccion, panel_estadisticas;
extern HWND botones_leccion[BOTONES];

// Gives every field above its start value; the handles are left to the
// start-up and to the creation of the controls, which fill them in.
void poner_estado_inicial();

#endif
