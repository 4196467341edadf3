#include "app/dibujo.h"
#include "app/estado.h"
#include "screen/teclas.h"
#include <algorithm>
#include <iterator>

// Everything that a keystroke draws at once goes through the one DC of the
// main window, clipped to the child drawn:
// - a DC of a child is thrown away, or must fetch its visible region again,
//   each time a sibling over it moves, and the guide moves four times a
//   keystroke; the main window's is left alone by its children's moves;
// - under Wine, a window DC that draws while another has drawn since the
//   window was last sent to the X server often sends it again at once, and
//   each sending wakes the X server. One DC for all sends it once.

// The children in their stacking order, the topmost first: the order of
// their creation, which no move changes. The cells stand one on each key and
// never overlap one another.
struct Capa {
    const HWND *hijos;
    int cuantos;
};
const int CAPA_CELDAS = 2;
static constexpr Capa capas[] = {
    {&imagen_tecla, 1},  {&imagen_flecha, 1}, {celdas_tecla, TECLAS},       {&imagen_teclado, 1},
    {&imagen_manos, 1},  {&imagen_logo, 1},   {&panel_estadisticas, 1},     {botones_leccion, BOTONES},
    {&panel_leccion, 1},
};
static_assert(capas[CAPA_CELDAS].hijos == celdas_tecla, "the layer of the key cells");

// cppcheck-suppress constParameter ; a window handle: Win32 has no handle-to-const type
static bool en_capa(const Capa &capa, HWND control)
{
    for (int i = 0; i < capa.cuantos; i++)
        if (capa.hijos[i] == control)
            return true;
    return false;
}

// Leaves out of the DC, within zona (screen coordinates), each shown child
// stacked above hasta; every child when hasta is null.
static void dejar_fuera_encima(HDC contexto, HWND hasta, const RECT &zona)
{
    for (const Capa &capa : capas) {
        if (hasta && en_capa(capa, hasta))
            return;
        for (int i = 0; i < capa.cuantos; i++) {
            RECT lugar, comun;
            HWND hijo = capa.hijos[i];
            if (!hijo || !GetWindowRect(hijo, &lugar) || !IntersectRect(&comun, &lugar, &zona) ||
                !IsWindowVisible(hijo))
                continue;
            MapWindowPoints(nullptr, ventana_principal, reinterpret_cast<POINT *>(&comun), 2);
            ExcludeClipRect(contexto, comun.left, comun.top, comun.right, comun.bottom);
        }
    }
}

// The main window's DC clipped to zona (its client coordinates), less the
// children above hasta.
static HDC contexto_de_ventana(const RECT &zona, HWND hasta)
{
    HDC contexto = GetDCEx(ventana_principal, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    if (!contexto)
        return nullptr;
    IntersectClipRect(contexto, zona.left, zona.top, zona.right, zona.bottom);
    RECT en_pantalla = zona;
    MapWindowPoints(ventana_principal, nullptr, reinterpret_cast<POINT *>(&en_pantalla), 2);
    dejar_fuera_encima(contexto, hasta, en_pantalla);
    return contexto;
}

// Controls are drawn off the screen, and then copied, through one memory DC
// kept while the window lives: under Wine each new DC wakes the X server.
static HDC memoria;
static HBITMAP lienzo;

// Made with the window, so that no keystroke has to allocate them; a window
// made again before the last one went reuses them.
void preparar_dibujo()
{
    if (!memoria)
        memoria = CreateCompatibleDC(nullptr);
    if (!lienzo) {
        BITMAPINFO formato_lienzo = {};
        formato_lienzo.bmiHeader = {sizeof(BITMAPINFOHEADER), ANCHO_TECLA, -ALTO_TECLA, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void *bits;
        lienzo = CreateDIBSection(nullptr, &formato_lienzo, DIB_RGB_COLORS, &bits, nullptr, 0);
    }
}

// A bitmap picture would make a memory DC for each paint of its own: its
// bitmap is drawn here as the picture itself draws it, stretched to the
// control's size.
static bool dibujar_imagen(HDC contexto, HWND control, const RECT &cliente)
{
    const HWND imagenes[] = {imagen_tecla, imagen_flecha, imagen_teclado, imagen_manos, imagen_logo};
    if (std::find(std::begin(imagenes), std::end(imagenes), control) == std::end(imagenes))
        return false;
    HBITMAP imagen = reinterpret_cast<HBITMAP>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP datos;
    if (!imagen || !memoria || !GetObjectA(imagen, sizeof datos, &datos))
        return false;
    HGDIOBJ antes = SelectObject(memoria, imagen);
    StretchBlt(contexto, 0, 0, cliente.right, cliente.bottom, memoria, 0, 0, datos.bmWidth, datos.bmHeight, SRCCOPY);
    SelectObject(memoria, antes);
    return true;
}

// A key cell clips its painting to its own rectangle taken as the DC's
// device origin, which in the window's DC is the window's corner: the cell
// paints into a bitmap of its own size, which is then copied into place. A
// device-independent bitmap, as a device one would query the screen's
// format from the window server at each selection.
static bool dibujar_celda(HDC contexto, HWND control, const RECT &cliente)
{
    if (cliente.right > ANCHO_TECLA || cliente.bottom > ALTO_TECLA || !memoria || !lienzo)
        return false;
    HGDIOBJ antes = SelectObject(memoria, lienzo);
    SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memoria), PRF_CLIENT);
    BitBlt(contexto, 0, 0, cliente.right, cliente.bottom, memoria, 0, 0, SRCCOPY);
    SelectObject(memoria, antes);
    return true;
}

void soltar_dibujo()
{
    if (memoria)
        DeleteDC(memoria);
    if (lienzo)
        DeleteObject(lienzo);
    memoria = nullptr;
    lienzo = nullptr;
}

bool dibujar_ahora(HWND control, const RECT *parte)
{
    RECT cliente, zona;
    if (!GetClientRect(control, &cliente))
        return false;
    zona = cliente;
    if (parte && !IntersectRect(&zona, &zona, parte))
        return true;
    POINT origen = {0, 0};
    MapWindowPoints(control, ventana_principal, &origen, 1);
    OffsetRect(&zona, origen.x, origen.y);
    HDC contexto = contexto_de_ventana(zona, control);
    if (!contexto)
        return false;
    SetViewportOrgEx(contexto, origen.x, origen.y, nullptr);
    bool hecho;
    if (en_capa(capas[CAPA_CELDAS], control))
        hecho = dibujar_celda(contexto, control, cliente);
    else if (!(hecho = dibujar_imagen(contexto, control, cliente))) {
        SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(contexto), PRF_CLIENT);
        hecho = true;
    }
    ReleaseDC(ventana_principal, contexto);
    return hecho;
}

void rellenar_fondo(const RECT &zona)
{
    HDC contexto = contexto_de_ventana(zona, nullptr);
    if (!contexto)
        return;
    FillRect(contexto, &zona, reinterpret_cast<HBRUSH>(GetClassLongPtrA(ventana_principal, GCLP_HBRBACKGROUND)));
    ReleaseDC(ventana_principal, contexto);
}
