// Where the children sit for a client size, and the minimum size.
#include "banco.h"
#include "app/estado.h"
#include "screen/controles.h"

struct Esperado {
    int ancho, alto;
    int teclado_x, manos_x, estadisticas_y;
};

static void comprobar_disposicion(const Esperado &e)
{
    SCOPED_TRACE(testing::Message() << e.ancho << " x " << e.alto);
    EXPECT_EQ(teclado_x, e.teclado_x);
    EXPECT_EQ(teclado_y, e.alto - 153);
    EXPECT_EQ(manos_x, e.manos_x);
    EXPECT_EQ(manos_y, e.alto - 153);
    EXPECT_EQ(logo_x, e.manos_x + 25);
    auto en = [](HWND h, int x, int y, int an, int al) {
        RECT r = rectangulo_de(h);
        EXPECT_EQ(r.left, x);
        EXPECT_EQ(r.top, y);
        EXPECT_EQ(r.right - r.left, an);
        EXPECT_EQ(r.bottom - r.top, al);
        EXPECT_TRUE(IsWindowVisible(h));
    };
    en(imagen_teclado, e.teclado_x, e.alto - 153, 412, 153);
    en(imagen_manos, e.manos_x, e.alto - 153, 301, 153);
    en(imagen_logo, e.manos_x + 25, 20, 250, 30);
    en(panel_leccion, e.teclado_x, 35, 412, e.alto - 193);
    en(panel_estadisticas, e.manos_x, e.estadisticas_y, 301, 200);
    for (int i = 0; i < BOTONES; i++)
        en(botones_leccion[i], e.teclado_x + 20 * i + 5, 10, 20, 20);
    EXPECT_FALSE(IsWindowVisible(imagen_tecla));
    EXPECT_FALSE(IsWindowVisible(imagen_flecha));
}

TEST_F(Ventana, LosHijosSiguenAlTamanio)
{
    const Esperado casos[] = {
        {722, 446, 2, 418, 61},
        {1000, 700, 71, 626, 188},
        {713, 400, 0, 412, 38},
        {714, 500, 0, 412, 88},
        {715, 500, 0, 413, 88},
        {717, 500, 1, 415, 88},
    };
    for (const Esperado &e : casos) {
        redimensionar(ventana, e.ancho, e.alto);
        EXPECT_EQ(ancho, e.ancho);
        EXPECT_EQ(alto, e.alto);
        comprobar_disposicion(e);
    }
    // The largest report the message can carry is laid out by the same rule.
    redimensionar(ventana, 65535, 65535);
    EXPECT_EQ(teclado_x, 16205);
    EXPECT_EQ(manos_x, 49028);
    EXPECT_EQ(teclado_y, 65535 - 153);
}

TEST_F(Ventana, LosBotonesTienenSusNumeros)
{
    for (int i = 0; i < BOTONES; i++)
        EXPECT_EQ(texto_de(botones_leccion[i]), std::to_string(i + 1));
}

static SIZE cliente(HWND ventana)
{
    RECT r;
    GetClientRect(ventana, &r);
    return {r.right, r.bottom};
}

TEST_F(Ventana, ElTamanioMinimoSeImponeSinMoverLaVentana)
{
    RECT antes;
    GetWindowRect(ventana, &antes);
    const int informes[][2] = {{712, 450}, {800, 399}, {0, 0}, {712, 399}};
    for (auto &informe : informes) {
        SCOPED_TRACE(testing::Message() << informe[0] << " x " << informe[1]);
        redimensionar(ventana, informe[0], informe[1]);
        SIZE c = cliente(ventana);
        EXPECT_GE(c.cx, 713);
        EXPECT_GE(c.cy, 400);
        EXPECT_EQ(ancho, c.cx);
        EXPECT_EQ(alto, c.cy);
        RECT ahora;
        GetWindowRect(ventana, &ahora);
        EXPECT_EQ(ahora.left, antes.left);
        EXPECT_EQ(ahora.top, antes.top);
        EXPECT_EQ(teclado_y, alto - 153);
        EXPECT_EQ(rectangulo_de(imagen_manos).top, alto - 153);
    }
    // 713 x 400 is allowed as it is.
    redimensionar(ventana, 713, 400);
    EXPECT_EQ(ancho, 713);
    EXPECT_EQ(alto, 400);
}

TEST_F(Ventana, ElMarcoNoSeEstrechaPorDebajoDelMinimo)
{
    SetWindowPos(ventana, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    procesar_mensajes();
    SIZE c = cliente(ventana);
    EXPECT_GE(c.cx, 713);
    EXPECT_GE(c.cy, 400);
    EXPECT_EQ(ancho, c.cx);
    EXPECT_EQ(alto, c.cy);
    // The refused size is followed by one request for the window's own size
    // (which a window manager's frame follows): it runs once, changes nothing
    // and does not set itself again.
    RECT antes;
    GetWindowRect(ventana, &antes);
    DWORD inicio = GetTickCount();
    while (GetTickCount() - inicio < 300) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        procesar_mensajes();
    }
    EXPECT_FALSE(KillTimer(ventana, 2));
    RECT despues;
    GetWindowRect(ventana, &despues);
    EXPECT_TRUE(EqualRect(&antes, &despues));
}

TEST_F(Ventana, MinimizarNoTocaLaDisposicion)
{
    redimensionar(ventana, 1000, 700);
    ShowWindow(ventana, SW_MINIMIZE);
    procesar_mensajes();
    EXPECT_TRUE(IsIconic(ventana));
    EXPECT_EQ(ancho, 1000);
    EXPECT_EQ(alto, 700);
    EXPECT_EQ(teclado_x, 71);
    ShowWindow(ventana, SW_RESTORE);
    procesar_mensajes();
    SIZE c = cliente(ventana);
    EXPECT_EQ(ancho, c.cx);
    EXPECT_EQ(alto, c.cy);
    EXPECT_EQ(teclado_y, c.cy - 153);
}
