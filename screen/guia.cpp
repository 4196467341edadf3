#include "screen/guia.h"
#include "screen/teclas.h"
#include "screen/controles.h"
#include "app/estado.h"
#include "app/paneles.h"
#include <algorithm>

const Tecla *buscar_tecla(unsigned char c)
{
    for (const Tecla &tecla : tabla_teclas)
        // cppcheck-suppress useStlAlgorithm ; a plain loop over a fixed table, as everywhere in the program
        if (tecla.minuscula == c || tecla.mayuscula == c)
            return &tecla;
    return nullptr;
}

unsigned char primer_caracter(HWND ventana)
{
    char texto[2] = {0, 0};
    GetWindowTextA(ventana, texto, sizeof texto);
    return (unsigned char)texto[0];
}

void colocar_celdas()
{
    for (int i = 0; i < TECLAS; i++) {
        const Tecla *tecla = buscar_tecla(primer_caracter(celdas_tecla[i]));
        if (tecla)
            mover_control(celdas_tecla[i], teclado_x + tecla->x, teclado_y + tecla->y,
                          ANCHO_TECLA, ALTO_TECLA);
    }
}

// The guide's two pictures are drawn through DCs kept for as long as the
// window lives. When a window moves over a cached DC that has been given
// back, the platform throws the DC away, and under Wine that asks the window
// server for the screen's layout: three round trips. A DC still in use is only
// marked to fetch its visible region again. The guide moves four times a
// keystroke, and what it uncovers is drawn through these DCs too.
struct ContextoGuardado {
    HWND imagen;
    HDC contexto;
};
static ContextoGuardado guardados[2];

static void soltar(ContextoGuardado &guardado)
{
    if (guardado.contexto)
        ReleaseDC(guardado.imagen, guardado.contexto);
    guardado = ContextoGuardado{};
}

void soltar_contextos_guia()
{
    for (ContextoGuardado &guardado : guardados)
        soltar(guardado);
}

// The kept DC of the highlight or the arrow; null for any other window.
static HDC contexto_para(HWND imagen)
{
    ContextoGuardado *guardado = !imagen                  ? nullptr
                                 : imagen == imagen_tecla  ? &guardados[0]
                                 : imagen == imagen_flecha ? &guardados[1]
                                                           : nullptr;
    if (!guardado)
        return nullptr;
    if (guardado->imagen != imagen)
        soltar(*guardado);
    if (!guardado->contexto) {
        guardado->contexto = GetDCEx(imagen, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
        guardado->imagen = imagen;
    }
    return guardado->contexto;
}

// What the guide shows or uncovers is drawn at once by the control itself,
// into a DC of its window that leaves out the siblings on top of it, rather
// than invalidated for a paint message later. Under Wine a paint message
// costs some ten round trips to the window server (fetching it, the update
// region, the caret hidden and shown around it), and a keystroke drew four
// of them for the guide alone. Only the part given is drawn.
static void dibujar_en(HDC contexto, HWND control, POINT desde, const RECT *parte)
{
    int estado = SaveDC(contexto);
    if (parte)
        IntersectClipRect(contexto, parte->left, parte->top, parte->right, parte->bottom);
    SetViewportOrgEx(contexto, -desde.x, -desde.y, nullptr);
    SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(contexto), PRF_CLIENT);
    RestoreDC(contexto, estado);
}

static void pintar_ahora(HWND control, const RECT *parte)
{
    HDC guardado = contexto_para(control);
    if (guardado)
        dibujar_en(guardado, control, POINT{0, 0}, parte);
    else if (!dibujar_ahora(control, parte))
        InvalidateRect(control, parte, FALSE);
}

// A hidden guide picture covers nothing, so nothing under it needs repainting
// when it appears, and a bitmap picture draws every pixel of its own: it is
// shown without the platform's frame and background passes, and drawn once.
// Such a move invalidates nothing, so there is no erasing for the platform to
// do at once either (SWP_DEFERERASE spares it asking).
// One already shown leaves its old place uncovered, which the platform
// repaints.
static void mostrar_imagen(HWND imagen, int x, int y, int ancho_imagen, int alto_imagen)
{
    if (IsWindowVisible(imagen)) {
        mover_control(imagen, x, y, ancho_imagen, alto_imagen);
        return;
    }
    SetWindowPos(imagen, nullptr, x, y, ancho_imagen, alto_imagen,
                 SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOREDRAW | SWP_DEFERERASE);
    pintar_ahora(imagen, nullptr);
}

// Even fingers are the left hand's, odd ones the right's.
static int pulgar_opuesto(int dedo_anterior)
{
    return dedo_anterior % 2 == 0 ? 9 : 8;
}

void mostrar_guia(unsigned char c)
{
    const Tecla *tecla = buscar_tecla(c);
    if (!tecla)
        return;
    // The space bar goes to the thumb of the hand that did not type last.
    int f = c == ' ' ? pulgar_opuesto(dedo) : tecla->dedo;
    dedo = f;
    mostrar_imagen(imagen_tecla, teclado_x + tecla->x, teclado_y + tecla->y, ANCHO_TECLA, ALTO_TECLA);
    mostrar_imagen(imagen_flecha, manos_x + tabla_flechas[f].x, manos_y + tabla_flechas[f].y,
                   ANCHO_FLECHA, ALTO_FLECHA);
}

static void ocultar_sin_repintar(HWND imagen)
{
    SetWindowPos(imagen, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_DEFERERASE);
}

// The key cell under the highlight, when one lies exactly beneath it.
static HWND celda_bajo_marca()
{
    RECT marca, celda;
    GetWindowRect(imagen_tecla, &marca);
    for (HWND h : celdas_tecla)
        if (GetWindowRect(h, &celda) && EqualRect(&celda, &marca) && IsWindowVisible(h))
            return h;
    return nullptr;
}

// The highlight covers one key cell exactly, and the cell hides the keyboard
// under it: taking the highlight away uncovers that cell alone, so only the
// cell is repainted. After a resize the highlight may lie elsewhere; then the
// platform repaints whatever it uncovers.
static void ocultar_marca()
{
    if (!IsWindowVisible(imagen_tecla))
        return;
    HWND celda = celda_bajo_marca();
    if (!celda) {
        ShowWindow(imagen_tecla, SW_HIDE);
        return;
    }
    // The cell is drawn where the highlight stands, through the highlight's
    // own DC, before the highlight goes: the cell's DC would be one more that
    // the platform throws away as the guide moves. A key cell fills its own
    // background when it paints.
    HDC contexto = contexto_para(imagen_tecla);
    if (contexto)
        dibujar_en(contexto, celda, POINT{0, 0}, nullptr);
    ocultar_sin_repintar(imagen_tecla);
    if (!contexto)
        pintar_ahora(celda, nullptr);
}

// The window's DC leaves out, one by one, the children over a client area:
// a cached DC that clipped the children by itself would stay tied to them,
// and the platform would discard it at every show and hide of the guide,
// which under Wine asks the window server for the screen's layout again.
static void dejar_fuera(HDC contexto, HWND hijo, const RECT &zona)
{
    RECT lugar, comun;
    if (!hijo || !IsWindowVisible(hijo) || !GetWindowRect(hijo, &lugar))
        return;
    MapWindowPoints(nullptr, ventana_principal, reinterpret_cast<POINT *>(&lugar), 2);
    if (IntersectRect(&comun, &lugar, &zona))
        ExcludeClipRect(contexto, comun.left, comun.top, comun.right, comun.bottom);
}

static void dejar_fuera_los_hijos(HDC contexto, const RECT &zona)
{
    for (HWND hijo : {imagen_teclado, imagen_manos, imagen_logo, imagen_tecla, panel_leccion, panel_estadisticas})
        dejar_fuera(contexto, hijo, zona);
    for (HWND celda : celdas_tecla)
        dejar_fuera(contexto, celda, zona);
    for (HWND boton : botones_leccion)
        dejar_fuera(contexto, boton, zona);
}

// The arrow points at a finger from above, so it lies on the hands picture
// and, for the longer fingers, on the window's background just above it.
// Taking it away repaints the picture's part without a background pass, and
// fills the strip above at once with the window's own brush: a paint of the
// whole window would do no more there, at the cost of a second paint message.
// After a resize the arrow may lie elsewhere; then the platform repaints
// whatever it uncovers.
static void ocultar_flecha()
{
    RECT flecha, manos;
    GetWindowRect(imagen_flecha, &flecha);
    GetWindowRect(imagen_manos, &manos);
    if (flecha.left < manos.left || flecha.right > manos.right || flecha.bottom > manos.bottom ||
        flecha.bottom <= manos.top || !IsWindowVisible(imagen_manos)) {
        ShowWindow(imagen_flecha, SW_HIDE);
        return;
    }
    // The part of the hands is drawn through the arrow's own DC, as the cell
    // under the highlight is.
    RECT sobre_manos = flecha;
    sobre_manos.top = std::max(flecha.top, manos.top);
    HDC contexto = contexto_para(imagen_flecha);
    if (contexto) {
        RECT parte = sobre_manos;
        OffsetRect(&parte, -flecha.left, -flecha.top);
        dibujar_en(contexto, imagen_manos, POINT{flecha.left - manos.left, flecha.top - manos.top}, &parte);
    }
    ocultar_sin_repintar(imagen_flecha);
    if (!contexto) {
        OffsetRect(&sobre_manos, -manos.left, -manos.top);
        pintar_ahora(imagen_manos, &sobre_manos);
    }
    if (flecha.top < manos.top) {
        RECT encima = {flecha.left, flecha.top, flecha.right, manos.top};
        MapWindowPoints(nullptr, ventana_principal, reinterpret_cast<POINT *>(&encima), 2);
        HDC ventana = GetDCEx(ventana_principal, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
        if (ventana) {
            dejar_fuera_los_hijos(ventana, encima);
            FillRect(ventana, &encima,
                     reinterpret_cast<HBRUSH>(GetClassLongPtrA(ventana_principal, GCLP_HBRBACKGROUND)));
            ReleaseDC(ventana_principal, ventana);
        }
    }
}

void ocultar_guia()
{
    ocultar_marca();
    // A second release (Shift after its letter) finds the guide already gone.
    if (IsWindowVisible(imagen_flecha))
        ocultar_flecha();
}
