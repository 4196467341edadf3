// The pictures compiled into the program, held against the key and arrow
// tables. The label cells, the key highlight and the finger arrow are placed by
// those numbers alone, so a key top or a fingertip that drifted away from them
// would show labels off their keys and arrows pointing into the air.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "screen/teclas.h"

namespace {

unsigned gris(int v) { return unsigned(v) * 0x010101u; }

// Largest difference between two 0xRRGGBB colours over the three channels.
int distancia(unsigned a, unsigned b) {
    int d = 0;
    for (int desplazamiento = 0; desplazamiento < 24; desplazamiento += 8)
        d = std::max(d, std::abs(int((a >> desplazamiento) & 0xFF) - int((b >> desplazamiento) & 0xFF)));
    return d;
}

// A bitmap resource read back as top-down 0xRRGGBB pixels, whatever form the
// loader chose to keep it in.
struct Imagen {
    int ancho = 0, alto = 0;
    std::vector<unsigned> px;
    unsigned en(int x, int y) const { return px[size_t(y) * ancho + x] & 0xFFFFFF; }
};

Imagen cargar(const char* nombre) {
    Imagen im;
    HBITMAP bmp = HBITMAP(LoadImageA(GetModuleHandleA(NULL), nombre, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bmp) return im;
    BITMAP bm;
    if (GetObjectA(bmp, sizeof bm, &bm) == sizeof bm) {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = bm.bmWidth;
        bi.bmiHeader.biHeight = -bm.bmHeight;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        std::vector<unsigned> px(size_t(bm.bmWidth) * bm.bmHeight);
        HDC dc = GetDC(NULL);
        if (GetDIBits(dc, bmp, 0, UINT(bm.bmHeight), px.data(), &bi, DIB_RGB_COLORS) == bm.bmHeight) {
            im.ancho = bm.bmWidth;
            im.alto = bm.bmHeight;
            im.px.swap(px);
        }
        ReleaseDC(NULL, dc);
    }
    DeleteObject(bmp);
    return im;
}

TEST(Dibujos, TienenElTamanoQueLesDejaLaVentana) {
    const struct {
        const char* nombre;
        int ancho, alto;
    } dibujos[] = {
        {"bmpteclado", ANCHO_TECLADO, ALTO_TECLADO}, {"bmpmanos", ANCHO_MANOS, ALTO_MANOS},
        {"bmplogo", ANCHO_LOGO, ALTO_LOGO},          {"bmptecla", ANCHO_MARCA, ALTO_MARCA},
        {"bmpflecha", ANCHO_FLECHA, ALTO_FLECHA},
    };
    for (const auto& d : dibujos) {
        Imagen im = cargar(d.nombre);
        EXPECT_EQ(d.ancho, im.ancho) << d.nombre;
        EXPECT_EQ(d.alto, im.alto) << d.nombre;
    }
}

// The pictures that stand straight on the window must share its grey, or they
// show as boxes around the hands, the logo and the arrow.
TEST(Dibujos, LosQueNoLlenanSuRectanguloTienenElGrisDeLaVentana) {
    for (const char* nombre : {"bmpmanos", "bmplogo", "bmpflecha"}) {
        Imagen im = cargar(nombre);
        ASSERT_FALSE(im.px.empty()) << nombre;
        EXPECT_EQ(gris(GRIS_FONDO), im.en(0, 0)) << nombre;
        EXPECT_EQ(gris(GRIS_FONDO), im.en(im.ancho - 1, 0)) << nombre;
    }
}

// A label cell covers exactly the 24 x 21 key top and is painted in the
// key-top grey: the top must be that grey up to its corners, and the key's
// edge must start right outside, or the cell shows as a box of its own.
TEST(Dibujos, CadaTeclaTieneSuTapaBajoSuCelda) {
    Imagen im = cargar("bmpteclado");
    ASSERT_EQ(ANCHO_TECLADO, im.ancho);
    ASSERT_EQ(ALTO_TECLADO, im.alto);
    const unsigned tapa = gris(GRIS_TAPA);
    for (int i = 0; i <= TECLAS_ROTULADAS; ++i) {
        const Tecla& t = tabla_teclas[i];
        SCOPED_TRACE(testing::Message() << "key " << i << " (character 0x" << std::hex << int(t.minuscula) << ")");
        const int x0 = t.x, y0 = t.y, x1 = t.x + ANCHO_TECLA - 1, y1 = t.y + ALTO_TECLA - 1;
        const int mx = t.x + ANCHO_TECLA / 2, my = t.y + ALTO_TECLA / 2;
        EXPECT_EQ(tapa, im.en(mx, my));
        EXPECT_EQ(tapa, im.en(x0, y0));
        EXPECT_EQ(tapa, im.en(x1, y0));
        EXPECT_EQ(tapa, im.en(x0, y1));
        EXPECT_EQ(tapa, im.en(x1, y1));
        EXPECT_NE(tapa, im.en(mx, y0 - 1)) << "above";
        EXPECT_NE(tapa, im.en(mx, y1 + 1)) << "below";
        // The space bar runs on past its cell to both sides.
        if (i == TECLA_ESPACIO) continue;
        EXPECT_NE(tapa, im.en(x0 - 1, my)) << "left";
        EXPECT_NE(tapa, im.en(x1 + 1, my)) << "right";
    }
}

// The arrow's tip must touch the finger, and the rest of the arrow's rectangle
// must be free of the hand: the arrow is an opaque picture and would cover it.
TEST(Dibujos, CadaFlechaApuntaALaPuntaDeSuDedo) {
    Imagen im = cargar("bmpmanos");
    ASSERT_EQ(ANCHO_MANOS, im.ancho);
    ASSERT_EQ(ALTO_MANOS, im.alto);
    const unsigned fondo = gris(GRIS_FONDO);
    for (int f = 0; f < DEDOS; ++f) {
        const Flecha& a = tabla_flechas[f];
        SCOPED_TRACE(testing::Message() << "finger " << f);
        const int px = a.x + PUNTA_FLECHA_X, py = a.y + PUNTA_FLECHA_Y;
        ASSERT_TRUE(px >= 0 && px < im.ancho && py >= 0 && py < im.alto);
        EXPECT_GT(distancia(fondo, im.en(px, py)), 48) << "no finger at the tip (" << px << ", " << py << ")";
        int tapados = 0, primero_x = 0, primero_y = 0;
        for (int y = std::max(a.y, 0); y < py; ++y)
            for (int x = std::max(a.x, 0); x < std::min(a.x + ANCHO_FLECHA, im.ancho); ++x)
                if (distancia(fondo, im.en(x, y)) > 16 && tapados++ == 0) primero_x = x, primero_y = y;
        EXPECT_EQ(0, tapados) << "hand under the arrow, first at (" << primero_x << ", " << primero_y << ")";
    }
    Imagen flecha = cargar("bmpflecha");
    ASSERT_EQ(ALTO_FLECHA, flecha.alto);
    EXPECT_GT(distancia(fondo, flecha.en(PUNTA_FLECHA_X, ALTO_FLECHA - 1)), 48) << "the arrow's tip is not drawn";
}

TEST(Dibujos, ElIconoSeCargaA32x32) {
    HICON icono = HICON(LoadImageA(GetModuleHandleA(NULL), "icono", IMAGE_ICON, 32, 32, 0));
    ASSERT_NE(HICON(NULL), icono);
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(icono, &info));
    BITMAP bm = {};
    ASSERT_NE(HBITMAP(NULL), info.hbmColor) << "the icon lost its colours";
    GetObjectA(info.hbmColor, sizeof bm, &bm);
    EXPECT_EQ(32, bm.bmWidth);
    EXPECT_EQ(32, bm.bmHeight);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icono);
}

}  // namespace
