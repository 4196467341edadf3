#include "options/ayuda.h"
#include "app/diferidas.h"
#include "screen/teclas.h"
#include "app/estado.h"

#define PAGINA_INICIO "http://www.norvedo.example"

const char pagina_inicio[] = PAGINA_INICIO;
const char pagina_publicidad[] = PAGINA_INICIO "/publicidad.php";
const char texto_autor[] = "Programa desarrollado por\n"
                           "el equipo de Pulsafina\n"
                           " para Norvedo Software\n" PAGINA_INICIO;

void abrir_pagina(const char *direccion)
{
    abrir_con_el_sistema(direccion, "c:\\", SW_SHOW);
}

void mostrar_autor()
{
    MessageBoxA(nullptr, texto_autor, "Autor.", MB_OK);
}

static bool sobre_el_logo(int x, int y)
{
    return x >= logo_x && x <= logo_x + ANCHO_LOGO && y >= 20 && y <= 20 + ALTO_LOGO;
}

void seguir_puntero(LPARAM posicion_puntero)
{
    int x = LOWORD(posicion_puntero);
    int y = HIWORD(posicion_puntero);
    sobre_logo = sobre_el_logo(x, y) ? 1 : 0;
    SetCursor(sobre_logo ? cursor_mano : cursor_normal);
}

void pulsar_logo()
{
    if (sobre_logo)
        abrir_pagina(pagina_inicio);
}

// The platform sets the class cursor on every pointer move before the move
// itself arrives; keeping the hand while the last move lay over the banner
// stops it flickering there, and shows it just where a click opens the page.
// cppcheck-suppress constParameter ; a window handle: Win32 has no handle-to-const type
bool poner_cursor(HWND ventana, HWND bajo_puntero, WORD zona)
{
    if (zona != HTCLIENT || (bajo_puntero != ventana && bajo_puntero != imagen_logo) || !sobre_logo)
        return false;
    SetCursor(cursor_mano);
    return true;
}
