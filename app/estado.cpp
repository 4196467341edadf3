// The application state. The fields get their start values from
// poner_estado_inicial at every start-up, so that a main window created again
// in the same process (the test bench does so) starts as fresh as the first.
#include "app/estado.h"
#include <cstring>

int leccion_actual;
bool practicando;
int errores;
int aciertos;
float pulsaciones;
float puntuacion;
int restantes;
int segundos;
char texto_practica[TAMANIO_TEXTO_PRACTICA];

CHARRANGE rango_actual;
LONG &posicion = rango_actual.cpMin;
CHARRANGE rango_resto;
CHARFORMATA formato;

COLORREF color_correcta;
COLORREF color_incorrecta;
COLORREF color_normal;
COLORREF color_fondo;
int tamanio;
CHOOSECOLORA dialogo_color;
COLORREF colores_personalizados[16];

bool minusculas;
int dedo;

int ancho;
int alto;
int teclado_x, teclado_y;
int manos_x, manos_y;
int logo_x;
int sobre_logo;

HINSTANCE hInstance;
HMODULE modulo_richedit;
HCURSOR cursor_normal, cursor_mano;
UINT_PTR temporizador;
HWND ventana_principal;
HWND imagen_teclado, imagen_manos, imagen_logo, imagen_tecla, imagen_flecha;
HWND celdas_tecla[TECLAS];
HWND panel_leccion, panel_estadisticas;
HWND botones_leccion[BOTONES];

void poner_estado_inicial()
{
    leccion_actual = 1;
    practicando = false;
    errores = 0;
    aciertos = 0;
    pulsaciones = 0.0f;
    puntuacion = 0.0f;
    restantes = 0;
    segundos = 1;
    memset(texto_practica, 0, sizeof texto_practica);

    rango_actual = {0, 1};
    rango_resto = {0, 0};
    formato = {};
    formato.cbSize = sizeof formato;

    color_correcta = 0x0000FF00;
    color_incorrecta = 0x000000FF;
    color_normal = 0x00000000;
    color_fondo = 0x00FFFFFF;
    tamanio = 10;
    dialogo_color = {};
    memset(colores_personalizados, 0, sizeof colores_personalizados);

    minusculas = true;
    dedo = 0;

    ancho = 730;
    alto = 500;
    teclado_x = teclado_y = 0;
    manos_x = manos_y = 0;
    logo_x = 0;
    sobre_logo = 0;
}
