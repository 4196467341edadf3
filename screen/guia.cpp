#include "screen/guia.h"
#include "screen/teclas.h"
#include "screen/controles.h"
#include "app/estado.h"
#include "app/dibujo.h"
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

// What the guide shows or uncovers is drawn at once, rather than invalidated
// for a paint message later: under Wine a paint message costs some ten round
// trips to the window server (fetching it, the update region, the caret
// hidden and shown around it), and a keystroke drew four of them for the
// guide alone.
static void pintar_ahora(HWND control, const RECT *parte)
{
    if (!dibujar_ahora(control, parte))
        InvalidateRect(control, parte, FALSE);
}

// A hidden guide picture covers nothing, so nothing under it needs repainting
// when it appears, and a bitmap picture draws every pixel of its own: it is
// shown without the platform's frame and background passes, and drawn once.
// Such a move invalidates nothing, so there is no erasing for the platform to
// do at once either (SWP_DEFERERASE spares it asking). True when the picture
// is to be drawn. One already shown leaves its old place uncovered, which the
// platform repaints.
static bool poner_imagen(HWND imagen, int x, int y, int ancho_imagen, int alto_imagen)
{
    if (IsWindowVisible(imagen)) {
        mover_control(imagen, x, y, ancho_imagen, alto_imagen);
        return false;
    }
    SetWindowPos(imagen, nullptr, x, y, ancho_imagen, alto_imagen,
                 SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOREDRAW | SWP_DEFERERASE);
    return true;
}

// Even fingers are the left hand's, odd ones the right's.
static int pulgar_opuesto(int dedo_anterior)
{
    return dedo_anterior % 2 == 0 ? 9 : 8;
}

// Both pictures move before either is drawn: under Wine each move sends what
// was drawn before it to the X server, and one sending does for both.
void mostrar_guia(unsigned char c)
{
    const Tecla *tecla = buscar_tecla(c);
    if (!tecla)
        return;
    // The space bar goes to the thumb of the hand that did not type last.
    int f = c == ' ' ? pulgar_opuesto(dedo) : tecla->dedo;
    dedo = f;
    bool marca = poner_imagen(imagen_tecla, teclado_x + tecla->x, teclado_y + tecla->y, ANCHO_TECLA, ALTO_TECLA);
    bool flecha = poner_imagen(imagen_flecha, manos_x + tabla_flechas[f].x, manos_y + tabla_flechas[f].y,
                               ANCHO_FLECHA, ALTO_FLECHA);
    if (marca)
        pintar_ahora(imagen_tecla, nullptr);
    if (flecha)
        pintar_ahora(imagen_flecha, nullptr);
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
// under it: taking the highlight away uncovers that cell alone, which is
// drawn at once, and fills its own background as it does. After a resize the
// highlight may lie elsewhere; then the platform repaints whatever it
// uncovers. Returns the cell to draw, if any.
static HWND quitar_marca()
{
    if (!IsWindowVisible(imagen_tecla))
        return nullptr;
    HWND celda = celda_bajo_marca();
    if (!celda) {
        ShowWindow(imagen_tecla, SW_HIDE);
        return nullptr;
    }
    ocultar_sin_repintar(imagen_tecla);
    return celda;
}

// The arrow points at a finger from above, so it lies on the hands picture
// and, for the longer fingers, on the window's background just above it.
// Taking it away draws the picture's part at once, without a background pass,
// and fills the strip above with the window's own brush: a paint of the whole
// window would do no more there, at the cost of a second paint message. After
// a resize the arrow may lie elsewhere; then the platform repaints whatever it
// uncovers. Returns in sitio where the arrow stood, empty if nothing is to be
// drawn.
static void quitar_flecha(RECT &sitio)
{
    SetRectEmpty(&sitio);
    // A second release (Shift after its letter) finds the guide already gone.
    if (!IsWindowVisible(imagen_flecha))
        return;
    RECT flecha, manos;
    GetWindowRect(imagen_flecha, &flecha);
    GetWindowRect(imagen_manos, &manos);
    if (flecha.left < manos.left || flecha.right > manos.right || flecha.bottom > manos.bottom ||
        flecha.bottom <= manos.top || !IsWindowVisible(imagen_manos)) {
        ShowWindow(imagen_flecha, SW_HIDE);
        return;
    }
    ocultar_sin_repintar(imagen_flecha);
    sitio = flecha;
}

static void pintar_bajo_flecha(const RECT &flecha)
{
    RECT manos;
    GetWindowRect(imagen_manos, &manos);
    RECT sobre_manos = flecha;
    sobre_manos.top = std::max(flecha.top, manos.top);
    OffsetRect(&sobre_manos, -manos.left, -manos.top);
    pintar_ahora(imagen_manos, &sobre_manos);
    if (flecha.top < manos.top) {
        RECT encima = {flecha.left, flecha.top, flecha.right, manos.top};
        MapWindowPoints(nullptr, ventana_principal, reinterpret_cast<POINT *>(&encima), 2);
        rellenar_fondo(encima);
    }
}

// Both pictures go before anything is drawn, for the reason given for
// showing them.
void ocultar_guia()
{
    HWND celda = quitar_marca();
    RECT flecha;
    quitar_flecha(flecha);
    if (celda)
        pintar_ahora(celda, nullptr);
    if (!IsRectEmpty(&flecha))
        pintar_bajo_flecha(flecha);
}
