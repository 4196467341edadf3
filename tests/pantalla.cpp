#include "pantalla.h"
#include "banco.h"
#include "app/estado.h"
#include <cstdio>
#include <set>

void esperar_pinturas()
{
    // Wine copies a window's painting to the X server when its thread goes
    // idle: wait for input once, briefly, between two rounds of dispatching.
    for (int i = 0; i < 3; i++) {
        procesar_mensajes();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 15, QS_ALLINPUT);
    }
    procesar_mensajes();
    GdiFlush();
}

Captura capturar(HWND ventana)
{
    Captura c;
    RECT cliente;
    GetClientRect(ventana, &cliente);
    POINT origen = {0, 0};
    ClientToScreen(ventana, &origen);
    c.ancho = std::min<int>(cliente.right, GetSystemMetrics(SM_CXSCREEN) - origen.x);
    c.alto = std::min<int>(cliente.bottom, GetSystemMetrics(SM_CYSCREEN) - origen.y);
    if (c.ancho <= 0 || c.alto <= 0) {
        c.ancho = c.alto = 0;
        return c;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = c.ancho;
    info.bmiHeader.biHeight = -c.alto;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HDC pantalla = GetDC(nullptr);
    HDC memoria = CreateCompatibleDC(pantalla);
    HBITMAP mapa = CreateDIBSection(pantalla, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ antes = SelectObject(memoria, mapa);
    BitBlt(memoria, 0, 0, c.ancho, c.alto, pantalla, origen.x, origen.y, SRCCOPY);
    GdiFlush();
    const uint32_t *p = (const uint32_t *)bits;
    c.pixeles.assign(p, p + (size_t)c.ancho * c.alto);
    for (uint32_t &px : c.pixeles)
        px &= 0xFFFFFF;
    SelectObject(memoria, antes);
    DeleteObject(mapa);
    DeleteDC(memoria);
    ReleaseDC(nullptr, pantalla);
    return c;
}

static void guardar_bmp(const std::string &nombre, const Captura &c)
{
    FILE *f = fopen(nombre.c_str(), "wb");
    if (!f)
        return;
    BITMAPFILEHEADER cabecera = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = c.ancho;
    info.biHeight = -c.alto;
    info.biPlanes = 1;
    info.biBitCount = 32;
    cabecera.bfType = 0x4D42;
    cabecera.bfOffBits = sizeof cabecera + sizeof info;
    cabecera.bfSize = cabecera.bfOffBits + (DWORD)(c.pixeles.size() * 4);
    fwrite(&cabecera, sizeof cabecera, 1, f);
    fwrite(&info, sizeof info, 1, f);
    fwrite(c.pixeles.data(), 4, c.pixeles.size(), f);
    fclose(f);
}

struct Hijo {
    HWND ventana;
    std::string nombre;
};

static std::vector<Hijo> hijos()
{
    std::vector<Hijo> h = {
        {imagen_tecla, "marca de tecla"}, {imagen_flecha, "flecha"},
        {imagen_teclado, "teclado"}, {imagen_manos, "manos"}, {imagen_logo, "logo"},
        {panel_leccion, "panel de la leccion"}, {panel_estadisticas, "panel de estadisticas"},
    };
    for (int i = 0; i < TECLAS; i++)
        h.push_back({celdas_tecla[i], "celda '" + texto_de(celdas_tecla[i]) + "'"});
    for (int i = 0; i < BOTONES; i++)
        h.push_back({botones_leccion[i], "boton " + std::to_string(i + 1)});
    return h;
}

static bool dentro(const RECT &r, int x, int y)
{
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

static bool rojo(uint32_t px)
{
    int r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF, b = px & 0xFF;
    return r > 180 && g < 80 && b < 80;
}

static bool oscuro(uint32_t px)
{
    int r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF, b = px & 0xFF;
    return r < 100 && g < 100 && b < 100;
}

static int contar(const Captura &c, RECT r, bool (*prueba)(uint32_t))
{
    int n = 0;
    for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, c.alto); y++)
        for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, c.ancho); x++)
            n += prueba(c.en(x, y));
    return n;
}

static bool se_cortan(const RECT &a, const RECT &b)
{
    RECT comun;
    return IntersectRect(&comun, &a, &b) != 0;
}

// What a person must see, whatever the rest of the screen holds.
static void comprobar_lo_visible(HWND ventana, const Captura &c, const char *paso)
{
    if (IsIconic(ventana) || c.ancho == 0)
        return;
    RECT marca = rectangulo_de(imagen_tecla), flecha = rectangulo_de(imagen_flecha);
    bool marca_vista = IsWindowVisible(imagen_tecla) != 0;
    std::string sin_rotulo;
    for (int i = 0; i < TECLAS; i++) {
        RECT r = rectangulo_de(celdas_tecla[i]);
        if (!IsWindowVisible(celdas_tecla[i]) || (marca_vista && se_cortan(r, marca)))
            continue;
        if (r.right > c.ancho || r.bottom > c.alto)
            continue;
        if (contar(c, r, oscuro) == 0)
            sin_rotulo += " '" + texto_de(celdas_tecla[i]) + "'";
    }
    EXPECT_EQ(sin_rotulo, "") << paso << ": celdas que no muestran su rotulo";
    if (marca_vista)
        EXPECT_GT(contar(c, marca, rojo), 0) << paso << ": la marca de tecla no se ve";
    else
        EXPECT_EQ(contar(c, marca, rojo), 0) << paso << ": queda rojo donde estuvo la marca";
    if (IsWindowVisible(imagen_flecha))
        EXPECT_GT(contar(c, flecha, rojo), 0) << paso << ": la flecha no se ve";
    else
        EXPECT_EQ(contar(c, flecha, rojo), 0) << paso << ": queda rojo donde estuvo la flecha";
}

void comprobar_pantalla(HWND ventana, const char *paso)
{
    esperar_pinturas();
    Captura vista = capturar(ventana);
    comprobar_lo_visible(ventana, vista, paso);
    RedrawWindow(ventana, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    RedrawWindow(ventana, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    esperar_pinturas();
    Captura repintada = capturar(ventana);
    ASSERT_EQ(vista.ancho, repintada.ancho) << paso;
    ASSERT_EQ(vista.alto, repintada.alto) << paso;

    std::vector<Hijo> lista = hijos();
    std::set<std::string> culpables;
    long distintos = 0;
    for (int y = 0; y < vista.alto; y++) {
        for (int x = 0; x < vista.ancho; x++) {
            if (vista.en(x, y) == repintada.en(x, y))
                continue;
            distintos++;
            bool alguno = false;
            for (const Hijo &h : lista) {
                if (IsWindowVisible(h.ventana) && dentro(rectangulo_de(h.ventana), x, y)) {
                    culpables.insert(h.nombre);
                    alguno = true;
                }
            }
            if (!alguno)
                culpables.insert("fondo de la ventana");
        }
    }
    if (distintos == 0)
        return;
    std::string nombres;
    for (const std::string &n : culpables)
        nombres += (nombres.empty() ? "" : ", ") + n;
    std::string base = "pantalla_";
    for (const char *p = paso; *p; p++)
        base += isalnum((unsigned char)*p) ? *p : '_';
    guardar_bmp(base + "_vista.bmp", vista);
    guardar_bmp(base + "_repintada.bmp", repintada);
    ADD_FAILURE() << paso << ": " << distintos << " pixeles distintos de un repintado entero, en: "
                  << nombres << " (imagenes en " << base << "_*.bmp)";
}

bool ejecutar_en_x(const char *orden)
{
    char linea[256];
    snprintf(linea, sizeof linea, "%s", orden);
    STARTUPINFOA inicio = {};
    inicio.cb = sizeof inicio;
    PROCESS_INFORMATION proceso;
    if (!CreateProcessA(nullptr, linea, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &inicio, &proceso))
        return false;
    while (MsgWaitForMultipleObjects(1, &proceso.hProcess, FALSE, 5000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
        procesar_mensajes();
    CloseHandle(proceso.hThread);
    CloseHandle(proceso.hProcess);
    esperar_pinturas();
    return true;
}

bool xdotool(const char *argumentos)
{
    char orden[256];
    snprintf(orden, sizeof orden, "/usr/bin/xdotool %s", argumentos);
    return ejecutar_en_x(orden);
}

bool enfocar_por_x(HWND ventana)
{
    char foco[64];
    snprintf(foco, sizeof foco, "windowfocus --sync %llu",
             (unsigned long long)(UINT_PTR)GetPropA(ventana, "__wine_x11_whole_window"));
    return xdotool(foco);
}
