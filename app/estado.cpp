// Start values of the application state.
#include "app/estado.h"

int leccion_actual = 1;
bool practicando = false;
int errores = 0;
int aciertos = 0;
float pulsaciones = 0.0f;
float puntuacion = 0.0f;
int restantes = 0;
int segundos = 1;
char texto_practica[TAMANIO_TEXTO_PRACTICA];

CHARRANGE rango_actual = {0, 1};
LONG &posicion = rango_actual.cpMin;
CHARRANGE rango_resto = {0, 0};
CHARFORMATA formato;

COLORREF color_correcta = 0x0000FF00;
COLORREF color_incorrecta = 0x000000FF;
COLORREF color_normal = 0x00000000;
COLORREF color_fondo = 0x00FFFFFF;
int tamanio = 10;
CHOOSECOLORA dialogo_color;
COLORREF colores_personalizados[16];

bool minusculas = true;
int dedo = 0;

int ancho = 730;
int alto = 500;
int teclado_x = 0, teclado_y = 0;
int manos_x = 0, manos_y = 0;
int logo_x = 0;
int sobre_logo = 0;

HINSTANCE hInstance;
HMODULE modulo_richedit;
HCURSOR cursor_normal, cursor_mano;
UINT_PTR temporizador;
HWND ventana_principal;
HWND imagen_teclado, imagen_manos, imagen_logo, imagen_tecla, imagen_flecha;
HWND celdas_tecla[TECLAS];
HWND panel_leccion, panel_estadisticas;
HWND botones_leccion[BOTONES];
