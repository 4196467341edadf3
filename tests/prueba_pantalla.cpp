// What the screen shows after every kind of change: the same pixels as a full
// repaint of the same state, with every label and the guide in sight.
#include "banco.h"
#include "pantalla.h"
#include "app/estado.h"
#include "screen/teclas.h"
#include "app/paneles.h"
#include "options/tamanio.h"
#include <cstdio>

static void pulsar(HWND ventana, WPARAM tecla, bool repeticion = false)
{
    SendMessageA(ventana, WM_KEYDOWN, tecla, repeticion ? (1 << 30) | 1 : 1);
}

static void soltar(HWND ventana, WPARAM tecla)
{
    SendMessageA(ventana, WM_KEYUP, tecla, (LPARAM)0xC0000001u);
}

// A key typed as the platform delivers it: down, its character, up.
static void teclear(HWND ventana, unsigned char c)
{
    pulsar(ventana, VkKeyScanA((char)c) & 0xFF);
    escribir_caracter(ventana, c);
    soltar(ventana, VkKeyScanA((char)c) & 0xFF);
}

TEST_F(Ventana, LaPantallaSigueALosRotulosYALaGuia)
{
    comprobar_pantalla(ventana, "arranque");
    pulsar(ventana, VK_SHIFT);
    comprobar_pantalla(ventana, "mayusculas pulsadas");
    soltar(ventana, VK_SHIFT);
    comprobar_pantalla(ventana, "mayusculas soltadas");
    pulsar(ventana, VK_SHIFT);
    pulsar(ventana, VK_SHIFT, true);
    pulsar(ventana, VK_SHIFT, true);
    comprobar_pantalla(ventana, "mayusculas sostenidas");
    soltar(ventana, VK_SHIFT);
    pulsar(ventana, VK_CAPITAL);
    soltar(ventana, VK_CAPITAL);
    comprobar_pantalla(ventana, "bloqueo puesto");
    pulsar(ventana, VK_SHIFT);
    comprobar_pantalla(ventana, "bloqueo y mayusculas");
    soltar(ventana, VK_SHIFT);
    pulsar(ventana, VK_CAPITAL);
    soltar(ventana, VK_CAPITAL);
    comprobar_pantalla(ventana, "bloqueo quitado");

    // A key of every row, the space bar, and each shown and then hidden.
    const unsigned char teclas[] = {'4', 'u', 'g', 'm', ' ', '+', 0xF1, 0xBA};
    for (unsigned char c : teclas) {
        char paso[32];
        snprintf(paso, sizeof paso, "guia de %02X", c);
        pulsar(ventana, 'X');
        escribir_caracter(ventana, c);
        comprobar_pantalla(ventana, paso);
        soltar(ventana, 'X');
        comprobar_pantalla(ventana, paso);
    }
    // Overlapping keys: the release of a hides the guide of s.
    pulsar(ventana, 'A');
    escribir_caracter(ventana, 'a');
    pulsar(ventana, 'S');
    escribir_caracter(ventana, 's');
    comprobar_pantalla(ventana, "a y s abajo");
    soltar(ventana, 'A');
    comprobar_pantalla(ventana, "a arriba");
    soltar(ventana, 'S');
    comprobar_pantalla(ventana, "s arriba");
    // Shift while a key is held: the cells change places under the highlight.
    pulsar(ventana, 'A');
    escribir_caracter(ventana, 'a');
    pulsar(ventana, VK_SHIFT);
    comprobar_pantalla(ventana, "a abajo y mayusculas");
    soltar(ventana, VK_SHIFT);
    soltar(ventana, 'A');
    comprobar_pantalla(ventana, "a y mayusculas arriba");

    // The same through the X server's keyboard, into this window.
    ASSERT_TRUE(enfocar_por_x(ventana));
    ASSERT_TRUE(xdotool("key --delay 0 shift"));
    comprobar_pantalla(ventana, "mayusculas por X");
    ASSERT_TRUE(xdotool("keydown shift"));
    comprobar_pantalla(ventana, "mayusculas abajo por X");
    ASSERT_TRUE(xdotool("keyup shift"));
    ASSERT_TRUE(xdotool("key --delay 0 g"));
    comprobar_pantalla(ventana, "g por X");
}

TEST_F(Ventana, LaPantallaSigueALaPractica)
{
    teclear(ventana, 'c');
    comprobar_pantalla(ventana, "practica empezada");
    for (int i = 0; i < 6; i++)
        teclear(ventana, (unsigned char)texto_practica[posicion]);
    teclear(ventana, '#');
    teclear(ventana, '#');
    comprobar_pantalla(ventana, "letras bien y mal");
    // The colours are kept as formats, with no undo steps behind them.
    EXPECT_FALSE(SendMessageA(panel_leccion, EM_CANUNDO, 0, 0));
    // Letters typed faster than the pane paints, across a row's end.
    while (SendMessageA(panel_leccion, EM_EXLINEFROMCHAR, 0, posicion + 2) == 0)
        teclear(ventana, (unsigned char)texto_practica[posicion]);
    for (int i = 0; i < 4; i++)
        escribir_caracter(ventana, (unsigned char)texto_practica[posicion]);
    comprobar_pantalla(ventana, "letras sin pintar entre ellas");
    // A letter typed before the pane has painted its new background.
    aplicar_fondo(RGB(255, 240, 200));
    escribir_caracter(ventana, (unsigned char)texto_practica[posicion]);
    comprobar_pantalla(ventana, "letra sobre un fondo sin pintar");
    aplicar_fondo(color_fondo);
    // Large letters: the typing runs below the pane's foot and scrolls it.
    aplicar_altura(TAMANIO_MAXIMO * 10);
    comprobar_pantalla(ventana, "letras grandes");
    POINT arriba = {0, 0}, abajo = {0, 0};
    SendMessageA(panel_leccion, EM_GETSCROLLPOS, 0, (LPARAM)&arriba);
    for (int i = 0; i < 40; i++)
        teclear(ventana, (unsigned char)texto_practica[posicion]);
    SendMessageA(panel_leccion, EM_GETSCROLLPOS, 0, (LPARAM)&abajo);
    EXPECT_GT(abajo.y, arriba.y);
    comprobar_pantalla(ventana, "letras grandes con la pagina corrida");
    aplicar_altura(tamanio * 10);

    // The guide still shown when the keys are laid out again: a letter held
    // while Shift goes down, and a size report that moves nothing.
    pulsar(ventana, 'G');
    escribir_caracter(ventana, 'g');
    esperar_pinturas();
    redimensionar(ventana, ancho, alto);
    comprobar_pantalla(ventana, "guia vista al recolocar");
    pulsar(ventana, VK_SHIFT);
    comprobar_pantalla(ventana, "mayusculas con la g abajo");
    soltar(ventana, 'G');
    soltar(ventana, VK_SHIFT);
    comprobar_pantalla(ventana, "g y mayusculas soltadas");

    // The last keystroke brings the next introduction.
    while (restantes > 1)
        escribir_caracter(ventana, (unsigned char)texto_practica[posicion]);
    teclear(ventana, (unsigned char)texto_practica[posicion]);
    EXPECT_EQ(leccion_actual, 2);
    comprobar_pantalla(ventana, "introduccion siguiente");

    teclear(ventana, 'c');
    teclear(ventana, (unsigned char)texto_practica[posicion]);
    SendMessageA(ventana, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)botones_leccion[6]);
    EXPECT_EQ(leccion_actual, 7);
    comprobar_pantalla(ventana, "boton de leccion a media practica");
}

static void dar_tamanio_cliente(HWND ventana, int ancho_cliente, int alto_cliente)
{
    RECT marco = {0, 0, ancho_cliente, alto_cliente};
    AdjustWindowRectEx(&marco, (DWORD)GetWindowLongPtrA(ventana, GWL_STYLE), TRUE, 0);
    SetWindowPos(ventana, nullptr, 0, 0, marco.right - marco.left, marco.bottom - marco.top,
                 SWP_NOMOVE | SWP_NOZORDER);
}

TEST_F(Ventana, LaPantallaSigueAlTamanio)
{
    // A key held across the resize: its guide stays where it was, away from
    // the pictures that moved, and its release uncovers that place.
    pulsar(ventana, 'U');
    escribir_caracter(ventana, 'u');
    dar_tamanio_cliente(ventana, 900, 620);
    esperar_pinturas();
    soltar(ventana, 'U');
    comprobar_pantalla(ventana, "agrandada");
    dar_tamanio_cliente(ventana, 722, 446);
    comprobar_pantalla(ventana, "vuelta a 722 x 446");
    dar_tamanio_cliente(ventana, 500, 300);
    comprobar_pantalla(ventana, "por debajo del minimo");
    ShowWindow(ventana, SW_MINIMIZE);
    esperar_pinturas();
    ShowWindow(ventana, SW_RESTORE);
    comprobar_pantalla(ventana, "restaurada");
    ShowWindow(ventana, SW_MAXIMIZE);
    comprobar_pantalla(ventana, "maximizada");
    ShowWindow(ventana, SW_RESTORE);
    comprobar_pantalla(ventana, "restaurada del maximo");
}
