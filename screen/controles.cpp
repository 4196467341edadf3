#include "screen/controles.h"
#include "screen/rotulos.h"
#include "screen/guia.h"
#include "screen/teclas.h"
#include "app/estado.h"
#include <cstdio>

const int ANCHO_PANEL_ESTADISTICAS = 301, ALTO_PANEL_ESTADISTICAS = 200;
const int LADO_BOTON = 20;

// Pictures that lie under another control (a key cell, the highlight, the
// arrow) clip their siblings, or a repaint of theirs would cover what lies on
// top of them.
static HWND crear_hijo(HWND ventana, const char *clase, const char *texto, DWORD estilo)
{
    return CreateWindowExA(0, clase, texto, estilo, 0, 0, 0, 0, ventana, (HMENU)0,
                           hInstance, nullptr);
}

// Each picture is drawn from a memory DC that its bitmap is selected into at
// every paint. A device bitmap, as a picture loads from its resource name,
// costs that selection a query of the screen's format, three requests to the
// window server under Wine on every paint of the highlight, the arrow and the
// hands; a device-independent one costs none. So each picture is given a
// device-independent copy of its own bitmap, which the program owns, and the
// device bitmap that the picture loaded is deleted.
const int IMAGENES = 5;
static HBITMAP independientes[IMAGENES];

static void independizar(HWND imagen, const char *nombre, int i)
{
    if (!imagen)
        return;
    HBITMAP dib = static_cast<HBITMAP>(LoadImageA(hInstance, nombre, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!dib)
        return;
    HANDLE cargada = reinterpret_cast<HANDLE>(SendMessageA(imagen, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(dib)));
    if (cargada)
        DeleteObject(cargada);
    independientes[i] = dib;
}

void liberar_imagenes()
{
    for (HBITMAP &dib : independientes) {
        if (dib)
            DeleteObject(dib);
        dib = nullptr;
    }
}

// Siblings are stacked in the order of their creation, the first on top, so
// the order below is the stacking: the highlight over its key cell, the arrow
// over the hands, the cells over the keyboard, the lesson pane at the bottom.
// Later moves keep it.
void crear_controles(HWND ventana)
{
    const DWORD imagen_visible = WS_CHILD | WS_VISIBLE | SS_BITMAP | WS_CLIPSIBLINGS;
    const DWORD imagen_oculta = WS_CHILD | SS_BITMAP;
    imagen_tecla = crear_hijo(ventana, "static", "bmptecla", imagen_oculta);
    imagen_flecha = crear_hijo(ventana, "static", "bmpflecha", imagen_oculta);
    crear_celdas(ventana);
    imagen_teclado = crear_hijo(ventana, "static", "bmpteclado", imagen_visible);
    imagen_manos = crear_hijo(ventana, "static", "bmpmanos", imagen_visible);
    imagen_logo = crear_hijo(ventana, "static", "bmplogo", imagen_visible);
    independizar(imagen_tecla, "bmptecla", 0);
    independizar(imagen_flecha, "bmpflecha", 1);
    independizar(imagen_teclado, "bmpteclado", 2);
    independizar(imagen_manos, "bmpmanos", 3);
    independizar(imagen_logo, "bmplogo", 4);
    const DWORD panel = WS_CHILD | WS_VSCROLL | ES_MULTILINE;
    panel_estadisticas = crear_hijo(ventana, "RichEdit20A", nullptr, panel);
    crear_botones(ventana);
    panel_leccion = crear_hijo(ventana, "RichEdit20A", nullptr, panel);
    // Nobody edits the lesson pane, yet each typed letter's colour would keep
    // an undo step with a copy of the format it replaced: a hundred of them
    // held through every lesson, about 80 kB of heap for nothing.
    SendMessageA(panel_leccion, EM_SETUNDOLIMIT, 0, 0);
    // The program writes to both panes through their selection, which the
    // learner never sees: shown, each selection of a keystroke would have the
    // pane mark the rows under the old and the new selection for repainting,
    // a round trip to the window server each under Wine.
    SendMessageA(panel_leccion, EM_HIDESELECTION, TRUE, 0);
    SendMessageA(panel_estadisticas, EM_HIDESELECTION, TRUE, 0);
}

void crear_botones(HWND ventana)
{
    for (int i = 0; i < BOTONES; i++) {
        char numero[16];
        snprintf(numero, sizeof numero, "%d", i + 1);
        botones_leccion[i] = crear_hijo(ventana, "button", numero, WS_CHILD | BS_PUSHBUTTON);
    }
}

// Every move paints the child afresh. Copying its old bits would copy what the
// screen showed there, which for a key cell, a picture or the guide is often
// another child lying on top of it or a label not yet repainted; the copy then
// counts as painted and stays wrong on screen.
void mover_control(HWND control, int x, int y, int ancho_control, int alto_control)
{
    // A child already shown at that place is left alone: every Shift and Caps
    // Lock lays the window out again with nothing moving, and each request to
    // the platform costs as much as the move itself.
    RECT actual;
    if ((GetWindowLongPtrA(control, GWL_STYLE) & WS_VISIBLE) && GetWindowRect(control, &actual)) {
        MapWindowPoints(nullptr, ventana_principal, reinterpret_cast<POINT *>(&actual), 2);
        if (actual.left == x && actual.top == y && actual.right - actual.left == ancho_control &&
            actual.bottom - actual.top == alto_control)
            return;
    }
    SetWindowPos(control, nullptr, x, y, ancho_control, alto_control,
                 SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

// The places of the pictures for a client area of ancho x alto.
static void calcular_lugares()
{
    int sobrante = (ancho - (ANCHO_TECLADO + ANCHO_MANOS)) / 2;
    teclado_x = sobrante / 2;
    teclado_y = alto - ALTO_TECLADO;
    manos_x = sobrante + teclado_x + ANCHO_TECLADO;
    manos_y = alto - ALTO_MANOS;
    logo_x = manos_x + 25;
}

static void colocar_paneles()
{
    mover_control(panel_leccion, teclado_x, 35, ANCHO_TECLADO, alto - 193);
    mover_control(panel_estadisticas, manos_x, (alto - 383) / 2 + 30,
                  ANCHO_PANEL_ESTADISTICAS, ALTO_PANEL_ESTADISTICAS);
}

// A pane wraps its text at its own width. Placed before their first text,
// the panes wrap it once, instead of a character per line at no width and
// then again at the first layout, which then finds them in place.
void colocar_paneles_antes_del_texto(HWND ventana)
{
    RECT cliente;
    if (!GetClientRect(ventana, &cliente))
        return;
    ancho = cliente.right;
    alto = cliente.bottom;
    calcular_lugares();
    colocar_paneles();
}

void colocar_controles()
{
    calcular_lugares();
    mover_control(imagen_teclado, teclado_x, teclado_y, ANCHO_TECLADO, ALTO_TECLADO);
    mover_control(imagen_manos, manos_x, manos_y, ANCHO_MANOS, ALTO_MANOS);
    mover_control(imagen_logo, logo_x, 20, ANCHO_LOGO, ALTO_LOGO);
    colocar_celdas();
    colocar_paneles();
    for (int i = 0; i < BOTONES; i++)
        mover_control(botones_leccion[i], teclado_x + LADO_BOTON * i + 5, 10, LADO_BOTON, LADO_BOTON);
}

// Outer size of the main window for a client area of the given size.
static SIZE tamanio_exterior(HWND ventana, int ancho_cliente, int alto_cliente)
{
    RECT marco = {0, 0, ancho_cliente, alto_cliente};
    AdjustWindowRectEx(&marco, (DWORD)GetWindowLongPtrA(ventana, GWL_STYLE), GetMenu(ventana) != nullptr,
                       (DWORD)GetWindowLongPtrA(ventana, GWL_EXSTYLE));
    SIZE exterior = {marco.right - marco.left, marco.bottom - marco.top};
    return exterior;
}

void cambiar_tamanio(HWND ventana, WPARAM tipo, LPARAM medidas)
{
    // A minimised window has no client area worth laying out; it is laid out
    // again when restored.
    if (tipo == SIZE_MINIMIZED)
        return;
    ancho = LOWORD(medidas);
    alto = HIWORD(medidas);
    if (ancho < ANCHO_MINIMO || alto < ALTO_MINIMO) {
        if (ancho < ANCHO_MINIMO)
            ancho = ANCHO_AMPLIADO;
        if (alto < ALTO_MINIMO)
            alto = ALTO_AMPLIADO;
        // One request, in place, for an outer size whose client area is large
        // enough. The nested WM_SIZE lays out; the client rectangle read back
        // afterwards covers a request that changed nothing.
        SIZE exterior = tamanio_exterior(ventana, ancho, alto);
        SetWindowPos(ventana, nullptr, 0, 0, exterior.cx, exterior.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT cliente;
        if (GetClientRect(ventana, &cliente) && cliente.right >= ANCHO_MINIMO &&
            cliente.bottom >= ALTO_MINIMO) {
            ancho = cliente.right;
            alto = cliente.bottom;
        }
    }
    colocar_controles();
}

// Under Wine a desktop's window manager owns the frame and is not told the
// minimum: when it shrinks the frame, the platform holds the window at the
// minimum but leaves its X window as small as the frame, which then shows a
// clipped corner of the program. A request for the window's own size, made
// after the resize has been handled, sends that size back to the X server and
// the frame grows to fit. The limits that the request itself asks for do not
// set the timer again.
const UINT_PTR ID_REAJUSTE = 2;
static bool reajustando = false;

static void CALLBACK reajustar_marco(HWND ventana, UINT, UINT_PTR identificador, DWORD)
{
    KillTimer(ventana, identificador);
    RECT marco;
    if (IsIconic(ventana) || IsZoomed(ventana) || !GetWindowRect(ventana, &marco))
        return;
    reajustando = true;
    SetWindowPos(ventana, nullptr, 0, 0, marco.right - marco.left, marco.bottom - marco.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    reajustando = false;
}

void limitar_tamanio(HWND ventana, MINMAXINFO *limites)
{
    SIZE exterior = tamanio_exterior(ventana, ANCHO_MINIMO, ALTO_MINIMO);
    limites->ptMinTrackSize.x = exterior.cx;
    limites->ptMinTrackSize.y = exterior.cy;
    if (!reajustando)
        SetTimer(ventana, ID_REAJUSTE, USER_TIMER_MINIMUM, reajustar_marco);
}
