#include "app/ventana.h"
#include "app/dibujo.h"
#include "app/paneles.h"
#include "app/estado.h"
#include "practice/practica.h"
#include "practice/estadisticas.h"
#include "lessons/lecciones.h"
#include "screen/controles.h"
#include "screen/rotulos.h"
#include "screen/guia.h"
#include "screen/teclas.h"
#include "options/colores.h"
#include "options/tamanio.h"
#include "options/ayuda.h"
#include <algorithm>
#include <iterator>

const UINT_PTR ID_TEMPORIZADOR = 1;
const char CLASE_VENTANA[] = "ventana";

HWND crear_ventana_principal(HINSTANCE instancia)
{
    poner_estado_inicial();
    hInstance = instancia;
    preparar_dialogo_color();

    // Nothing checks the loads: a missing library or resource leaves a
    // window without that part, never a crash.
    modulo_richedit = LoadLibraryA("RichEd20.dll");
    WNDCLASSEXA clase = {};
    clase.cbSize = sizeof clase;
    clase.style = CS_DBLCLKS;
    clase.lpfnWndProc = procedimiento_ventana;
    clase.hInstance = hInstance;
    clase.hIcon = LoadIconA(hInstance, "icono");
    clase.hIconSm = LoadIconA(hInstance, "icono");
    cursor_normal = LoadCursorA(nullptr, IDC_ARROW);
    cursor_mano = LoadCursorA(nullptr, IDC_HAND);
    clase.hCursor = cursor_normal;
    clase.lpszMenuName = "menu";
    clase.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    clase.lpszClassName = CLASE_VENTANA;
    if (!RegisterClassExA(&clase))
        return nullptr;

    ventana_principal = CreateWindowExA(0, CLASE_VENTANA, "Pulsafina - Norvedo Software",
                                        WS_OVERLAPPEDWINDOW, 30, 30, ancho, alto, nullptr,
                                        nullptr, hInstance, nullptr);
    dialogo_color.hwndOwner = ventana_principal;
    return ventana_principal;
}

int ejecutar_bucle()
{
    MSG mensaje;
    while (GetMessageA(&mensaje, nullptr, 0, 0) > 0) {
        TranslateMessage(&mensaje);
        DispatchMessageA(&mensaje);
    }
    return (int)mensaje.wParam;
}

void liberar_recursos()
{
    // Unregistered, the class can be registered again by a later start-up in
    // the same process.
    UnregisterClassA(CLASE_VENTANA, hInstance);
    liberar_imagenes();
    FreeLibrary(modulo_richedit);
}

static void crear(HWND ventana)
{
    ventana_principal = ventana;
    crear_controles(ventana);
    preparar_dibujo();
    colocar_paneles_antes_del_texto(ventana);
    mostrar_introduccion(leccion_actual);
    actualizar_estadisticas();
    temporizador = SetTimer(ventana, ID_TEMPORIZADOR, 1000, nullptr);
}

static void ejecutar_comando(HWND ventana, int comando, HWND control)
{
    switch (comando) {
    case 0: elegir_leccion(control); break;
    case COMANDO_COLOR_CORRECTA:
    case COMANDO_COLOR_INCORRECTA:
    case COMANDO_COLOR_NORMAL:
    case COMANDO_COLOR_FONDO: elegir_color(comando); break;
    case COMANDO_TAMANIO: elegir_tamanio(ventana); break;
    case COMANDO_AYUDA: abrir_pagina(pagina_inicio); break;
    case COMANDO_PUBLICIDAD: abrir_pagina(pagina_publicidad); break;
    case COMANDO_AUTOR: mostrar_autor(); break;
    }
}

// The key cells paint their background in the key tops' grey, so that their
// labels read as printed on the keys.
static LRESULT colorear_estatico(HDC contexto, HWND control)
{
    if (std::find(std::begin(celdas_tecla), std::end(celdas_tecla), control) != std::end(celdas_tecla)) {
        COLORREF gris = RGB(GRIS_TAPA, GRIS_TAPA, GRIS_TAPA);
        SetBkColor(contexto, gris);
        SetTextColor(contexto, RGB(0, 0, 0));
        SetDCBrushColor(contexto, gris);
        return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
    }
    SetBkColor(contexto, RGB(192, 192, 192));
    return reinterpret_cast<LRESULT>(GetStockObject(LTGRAY_BRUSH));
}

LRESULT CALLBACK procedimiento_ventana(HWND ventana, UINT mensaje, WPARAM wParam, LPARAM lParam)
{
    switch (mensaje) {
    case WM_CREATE: crear(ventana); break;
    case WM_DESTROY:
        KillTimer(ventana, temporizador);
        soltar_dibujo();
        PostQuitMessage(0);
        break;
    case WM_SIZE: cambiar_tamanio(ventana, wParam, lParam); break;
    case WM_GETMINMAXINFO: limitar_tamanio(ventana, reinterpret_cast<MINMAXINFO *>(lParam)); break;
    case WM_KILLFOCUS: vigilar_foco(reinterpret_cast<HWND>(wParam)); break;
    case WM_SETFOCUS: recobrar_rotulos(); break;
    case WM_KEYDOWN: pulsar_tecla(wParam, lParam); break;
    case WM_KEYUP: soltar_tecla(wParam); break;
    case WM_CHAR:
        if (practicando)
            abrir_pulsacion();
        mostrar_guia((unsigned char)wParam);
        procesar_caracter((unsigned char)wParam);
        cerrar_pulsacion();
        break;
    case WM_COMMAND: ejecutar_comando(ventana, LOWORD(wParam), reinterpret_cast<HWND>(lParam)); break;
    case WM_TIMER:
        if (wParam == ID_TEMPORIZADOR)
            contar_segundo();
        break;
    case WM_CTLCOLORSTATIC: return colorear_estatico(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
        if (poner_cursor(ventana, reinterpret_cast<HWND>(wParam), LOWORD(lParam)))
            return TRUE;
        return DefWindowProcA(ventana, mensaje, wParam, lParam);
    case WM_MOUSEMOVE: seguir_puntero(lParam); break;
    case WM_LBUTTONDOWN: pulsar_logo(); break;
    default: return DefWindowProcA(ventana, mensaje, wParam, lParam);
    }
    return 0;
}
