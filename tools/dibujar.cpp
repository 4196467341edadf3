// Draws the course's artwork from the key and arrow tables in screen/teclas.h,
// so the pictures cannot drift away from the numbers the program places the
// label cells, the highlight and the finger arrow by.
//
// To redraw, from the project root:
//   g++ -std=c++17 -O2 -I. tools/dibujar.cpp -o /tmp/dibujar && /tmp/dibujar resources/
// The files it writes (the five bitmaps, the icon and the desktop icons
// pulsafina-*.png) are committed, so building the program needs no
// drawing tool: run it again only after changing the tables or the drawing.

#include "screen/teclas.h"
#include "tools/png.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Color {
    float r, g, b;
};

Color gris(int v) { return {float(v), float(v), float(v)}; }

Color mezcla(Color a, Color b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

float suave(float a, float b, float x) {
    float t = std::clamp((x - a) / (b - a), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

struct Lienzo {
    int ancho, alto;
    std::vector<Color> px;
    Lienzo(int w, int h, Color fondo) : ancho(w), alto(h), px(size_t(w) * h, fondo) {}
    Color& en(int x, int y) { return px[size_t(y) * ancho + x]; }
    Color en(int x, int y) const { return px[size_t(y) * ancho + x]; }
};

// Every curved edge is sampled on a fine grid inside the pixel and averaged;
// the shape function answers false where the picture underneath shows through,
// which lets shapes be laid one over the other with smooth edges.
using Forma = std::function<bool(float x, float y, Color& c)>;

void pintar(Lienzo& l, const Forma& forma, int muestras = 4) {
    for (int y = 0; y < l.alto; ++y)
        for (int x = 0; x < l.ancho; ++x) {
            Color suma{0, 0, 0}, debajo = l.en(x, y);
            for (int j = 0; j < muestras; ++j)
                for (int i = 0; i < muestras; ++i) {
                    Color c = debajo;
                    forma(x + (i + 0.5f) / muestras, y + (j + 0.5f) / muestras, c);
                    suma = {suma.r + c.r, suma.g + c.g, suma.b + c.b};
                }
            float n = float(muestras * muestras);
            l.en(x, y) = {suma.r / n, suma.g / n, suma.b / n};
        }
}

// ---- distance fields ----------------------------------------------------

struct P {
    float x, y;
};
P operator-(P a, P b) { return {a.x - b.x, a.y - b.y}; }
P operator+(P a, P b) { return {a.x + b.x, a.y + b.y}; }
P operator*(P a, float k) { return {a.x * k, a.y * k}; }
float punto(P a, P b) { return a.x * b.x + a.y * b.y; }
float largo(P a) { return std::sqrt(punto(a, a)); }

float distancia_segmento(P p, P a, P b) {
    P ab = b - a;
    float t = std::clamp(punto(p - a, ab) / punto(ab, ab), 0.0f, 1.0f);
    return largo(p - (a + ab * t));
}

// A capsule whose radius goes from ra at a to rb at b: the shape of a finger.
float cono_redondo(P p, P a, float ra, P b, float rb) {
    P ba = b - a;
    float l2 = punto(ba, ba), rr = ra - rb, a2 = l2 - rr * rr, il2 = 1.0f / l2;
    P pa = p - a;
    float y = punto(pa, ba), z = y - l2;
    P w = pa * l2 - ba * y;
    float x2 = punto(w, w), y2 = y * y * l2, z2 = z * z * l2;
    float k = (rr > 0 ? 1.0f : -1.0f) * rr * rr * x2;
    if ((z > 0 ? 1.0f : -1.0f) * a2 * z2 > k) return std::sqrt(x2 + z2) * il2 - rb;
    if ((y > 0 ? 1.0f : -1.0f) * a2 * y2 < k) return std::sqrt(x2 + y2) * il2 - ra;
    return (std::sqrt(x2 * a2 * il2) + y * rr) * il2 - ra;
}

float poligono(P p, const std::vector<P>& v) {
    float d = punto(p - v[0], p - v[0]), s = 1;
    for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
        P e = v[j] - v[i], w = p - v[i];
        P b = w - e * std::clamp(punto(w, e) / punto(e, e), 0.0f, 1.0f);
        d = std::min(d, punto(b, b));
        bool c1 = p.y >= v[i].y, c2 = p.y < v[j].y, c3 = e.x * w.y > e.y * w.x;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
    }
    return s * std::sqrt(d);
}

// Joins two shapes with a fillet of about k pixels: the webbing between fingers.
float union_suave(float a, float b, float k) {
    float h = std::max(k - std::fabs(a - b), 0.0f) / k;
    return std::min(a, b) - h * h * k / 4;
}

float rectangulo_redondo(P p, P centro, P medio, float radio) {
    P q = {std::fabs(p.x - centro.x) - medio.x + radio, std::fabs(p.y - centro.y) - medio.y + radio};
    P fuera = {std::max(q.x, 0.0f), std::max(q.y, 0.0f)};
    return largo(fuera) + std::min(std::max(q.x, q.y), 0.0f) - radio;
}

// ---- files ----------------------------------------------------------------

void poner16(std::vector<uint8_t>& b, unsigned v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void poner32(std::vector<uint8_t>& b, unsigned v) {
    poner16(b, v & 0xFFFF);
    poner16(b, v >> 16);
}

uint8_t canal(float v) { return uint8_t(std::clamp(std::lround(v), 0L, 255L)); }

bool guardar(const std::string& ruta, const std::vector<uint8_t>& datos) {
    FILE* f = std::fopen(ruta.c_str(), "wb");
    if (!f) return false;
    bool bien = std::fwrite(datos.data(), 1, datos.size(), f) == datos.size();
    return std::fclose(f) == 0 && bien;
}

void cabecera_info(std::vector<uint8_t>& b, int ancho, int alto, int bits, unsigned bytes_imagen,
                   unsigned colores) {
    poner32(b, 40);
    poner32(b, unsigned(ancho));
    poner32(b, unsigned(alto));
    poner16(b, 1);
    poner16(b, unsigned(bits));
    poner32(b, 0);  // BI_RGB
    poner32(b, bytes_imagen);
    poner32(b, 2835);  // 72 dpi
    poner32(b, 2835);
    poner32(b, colores);
    poner32(b, 0);
}

// Bottom-up, rows padded to four bytes, in the fewest bits that keep every
// pixel: 4 or 8 bits with a palette when the picture has at most 16 or 256
// colours, else 24. Every resource compiler and loader takes these forms.
bool guardar_bmp(const std::string& ruta, const Lienzo& l) {
    std::vector<unsigned> pixeles(size_t(l.ancho) * l.alto), paleta;
    for (int y = 0; y < l.alto; ++y)
        for (int x = 0; x < l.ancho; ++x) {
            Color c = l.en(x, y);
            pixeles[size_t(y) * l.ancho + x] = unsigned(canal(c.r)) << 16 | unsigned(canal(c.g)) << 8 | canal(c.b);
        }
    paleta = pixeles;
    std::sort(paleta.begin(), paleta.end());
    paleta.erase(std::unique(paleta.begin(), paleta.end()), paleta.end());
    int bits = paleta.size() <= 16 ? 4 : paleta.size() <= 256 ? 8 : 24;
    unsigned colores = bits == 24 ? 0 : unsigned(paleta.size());
    unsigned fila = (unsigned(l.ancho * bits + 31) / 32) * 4, bytes = fila * unsigned(l.alto);
    unsigned inicio = 54 + colores * 4;
    std::vector<uint8_t> b;
    b.push_back('B');
    b.push_back('M');
    poner32(b, inicio + bytes);
    poner32(b, 0);
    poner32(b, inicio);
    cabecera_info(b, l.ancho, l.alto, bits, bytes, colores);
    for (unsigned i = 0; i < colores; ++i) poner32(b, paleta[i]);  // blue, green, red, 0
    for (int y = l.alto - 1; y >= 0; --y) {
        std::vector<uint8_t> linea(fila, 0);
        for (int x = 0; x < l.ancho; ++x) {
            unsigned p = pixeles[size_t(y) * l.ancho + x];
            if (bits == 24) {
                linea[size_t(x) * 3] = uint8_t(p);
                linea[size_t(x) * 3 + 1] = uint8_t(p >> 8);
                linea[size_t(x) * 3 + 2] = uint8_t(p >> 16);
                continue;
            }
            unsigned indice = unsigned(std::lower_bound(paleta.begin(), paleta.end(), p) - paleta.begin());
            if (bits == 8)
                linea[size_t(x)] = uint8_t(indice);
            else
                linea[size_t(x) / 2] |= uint8_t(x % 2 ? indice : indice << 4);
        }
        b.insert(b.end(), linea.begin(), linea.end());
    }
    return guardar(ruta, b);
}

// ---- keyboard -------------------------------------------------------------

const int GRIS_CAJA = 0x50;       // the case, and the seams between keys
const int GRIS_FILO_CAJA = 0x3A;  // the case's outer rim
const int GRIS_LUZ = 0xF8;        // key sides facing the light (top, left)
const int GRIS_SOMBRA = 0x80;     // key sides in shadow (bottom, right)
const int GRIS_MANDO = 0xC8;      // tops of the keys that type no character

struct Rect {
    int x, y, w, h;
};

struct TeclaMuda {
    std::vector<Rect> partes;
    int gris;
};

// The keys that carry no label cell. Character keys share the labelled keys'
// grey and the keys that type nothing are a shade darker, as on the two-tone
// keyboards that learners know, which also sets the typing area apart.
// Right-hand keys run to x 407 and the left ones start at x 3, as the letter
// keys do, so that the rows end flush at both sides.
std::vector<TeclaMuda> teclas_sin_rotulo() {
    std::vector<TeclaMuda> t;
    auto mando = [&](int x, int y, int w) { t.push_back({{{x, y, w, ALTO_TECLA}}, GRIS_MANDO}); };
    auto caracter = [&](int x, int y) { t.push_back({{{x, y, ANCHO_TECLA, ALTO_TECLA}}, GRIS_TAPA}); };
    const int derecha = 408;  // one past the last key-top column
    // Function keys: Esc, then three groups of four, F1 over the 2 as usual.
    mando(3, 3, ANCHO_TECLA);
    for (int grupo : {57, 180, 303})
        for (int i = 0; i < 4; ++i) mando(grupo + 27 * i, 3, ANCHO_TECLA);
    mando(354, 33, derecha - 354);  // Backspace
    mando(3, 57, 42 - 3);           // Tab
    caracter(315, 57);              // dead accents ` ^
    // ISO Enter: wide in the upper row, narrower where it reaches the home row.
    t.push_back({{{369, 57, derecha - 369, ALTO_TECLA}, {381, 57 + ALTO_TECLA, derecha - 381, 81 - 57}}, GRIS_MANDO});
    mando(3, 81, 54 - 3);           // Caps Lock
    caracter(327, 81);              // acute accent
    caracter(354, 81);              // ç
    mando(3, 105, 39 - 3);          // left Shift
    caracter(42, 105);              // < >
    mando(339, 105, derecha - 339);  // right Shift
    // Bottom row: three equal modifiers on each side of the space bar and one
    // more (the menu key) on the right.
    for (int x : {3, 38, 73, 271, 306, 341, 376}) mando(x, 129, 32);
    return t;
}

const Rect barra_espaciadora = {108, 129, 160, ALTO_TECLA};

// Fails when the keys drawn here would collide with the key table, so that a
// change to the table cannot quietly put a label onto the wrong key.
bool dibujar_teclado(Lienzo& l) {
    std::vector<int> tapa(size_t(ANCHO_TECLADO) * ALTO_TECLADO, 0);  // key-top grey, 0 off the keys
    bool encajan = true;
    auto marcar = [&](const Rect& r, int g) {
        for (int y = r.y; y < r.y + r.h; ++y)
            for (int x = r.x; x < r.x + r.w; ++x) {
                if (x < 1 || y < 1 || x >= ANCHO_TECLADO - 1 || y >= ALTO_TECLADO - 1 ||
                    tapa[size_t(y) * ANCHO_TECLADO + x] != 0) {
                    std::fprintf(stderr, "dibujar: keys overlap or leave the picture at (%d, %d)\n", x, y);
                    encajan = false;
                    return;
                }
                tapa[size_t(y) * ANCHO_TECLADO + x] = g;
            }
    };
    for (int i = 0; i < TECLAS_ROTULADAS; ++i)
        marcar({tabla_teclas[i].x, tabla_teclas[i].y, ANCHO_TECLA, ALTO_TECLA}, GRIS_TAPA);
    const Tecla& espacio = tabla_teclas[TECLA_ESPACIO];
    const Rect& b = barra_espaciadora;
    if (espacio.x < b.x || espacio.y != b.y || espacio.x + ANCHO_TECLA > b.x + b.w) {
        std::fprintf(stderr, "dibujar: the space entry is off the space bar\n");
        encajan = false;
    }
    marcar(barra_espaciadora, GRIS_TAPA);
    for (const TeclaMuda& t : teclas_sin_rotulo())
        for (const Rect& r : t.partes) marcar(r, t.gris);
    auto es_tapa = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < ANCHO_TECLADO && y < ALTO_TECLADO &&
               tapa[size_t(y) * ANCHO_TECLADO + x] > 0;
    };
    // One-pixel sides round every key top: lit above and to the left, shaded
    // below and to the right, and half-blended at the corners so that the keys
    // look rounded against the case.
    for (int y = 0; y < ALTO_TECLADO; ++y)
        for (int x = 0; x < ANCHO_TECLADO; ++x) {
            if (es_tapa(x, y)) {
                l.en(x, y) = gris(tapa[size_t(y) * ANCHO_TECLADO + x]);
                continue;
            }
            bool luz = es_tapa(x + 1, y) || es_tapa(x, y + 1);
            bool sombra = es_tapa(x - 1, y) || es_tapa(x, y - 1);
            if (luz && sombra)
                l.en(x, y) = gris((GRIS_LUZ + GRIS_SOMBRA) / 2);
            else if (luz)
                l.en(x, y) = gris(GRIS_LUZ);
            else if (sombra)
                l.en(x, y) = gris(GRIS_SOMBRA);
            else if (es_tapa(x + 1, y + 1))
                l.en(x, y) = gris((GRIS_LUZ + GRIS_CAJA) / 2);
            else if (es_tapa(x - 1, y - 1))
                l.en(x, y) = gris((GRIS_SOMBRA + GRIS_CAJA) / 2);
            else if (es_tapa(x + 1, y - 1) || es_tapa(x - 1, y + 1))
                l.en(x, y) = gris(((GRIS_LUZ + GRIS_SOMBRA) / 2 + GRIS_CAJA) / 2);
        }
    // The case: a darker rim with softly rounded corners on the window's grey.
    const float radio = 4;
    pintar(l, [&](float x, float y, Color& c) {
        float d = rectangulo_redondo({x, y}, {ANCHO_TECLADO / 2.0f, ALTO_TECLADO / 2.0f},
                                     {ANCHO_TECLADO / 2.0f, ALTO_TECLADO / 2.0f}, radio);
        if (d > 0)
            c = gris(GRIS_FONDO);
        else if (d > -1)
            c = gris(GRIS_FILO_CAJA);
        else
            return false;
        return true;
    });
    return encajan;
}

// ---- hands ------------------------------------------------------------------

// One finger: the point its arrow points at, the knuckle it grows from and its
// half-widths at the tip and at the knuckle.
struct Dedo {
    int numero;  // index into tabla_flechas
    P nudillo;
    float radio_punta, radio_base;
};

struct Mano {
    Dedo dedos[4];        // little, ring, middle, index
    Dedo pulgar;          // its knuckle is the middle joint ...
    P raiz_pulgar;        // ... and it grows from here, deep in the palm
    float radio_raiz;
    std::vector<P> palma;  // grown by RADIO_PALMA all round
};

const float RADIO_PALMA = 9;

// The fingertip is where the arrow's tip touches the picture: the middle of the
// arrow's lower edge. The round end of the finger is centred below it, so that
// the finger's outline passes through that very point and nothing of the hand
// lies above it in the arrow's column.
P centro_punta(const Dedo& d) {
    const Flecha& f = tabla_flechas[d.numero];
    return {f.x + PUNTA_FLECHA_X + 0.5f, f.y + PUNTA_FLECHA_Y + d.radio_punta};
}

float distancia_mano(const Mano& m, P p) {
    float d = poligono(p, m.palma) - RADIO_PALMA;
    for (const Dedo& dedo : m.dedos)
        d = union_suave(d, cono_redondo(p, centro_punta(dedo), dedo.radio_punta, dedo.nudillo, dedo.radio_base), 7);
    const Dedo& pu = m.pulgar;
    float pulgar = std::min(cono_redondo(p, centro_punta(pu), pu.radio_punta, pu.nudillo, pu.radio_base),
                            cono_redondo(p, pu.nudillo, pu.radio_base, m.raiz_pulgar, m.radio_raiz));
    return union_suave(d, pulgar, 8);
}

// The wrinkles over a finger's middle joint: a short curve across the finger,
// bowed towards the tip.
float distancia_arruga(const Dedo& d, P p) {
    P c = centro_punta(d), eje = d.nudillo - c;
    float l = largo(eje);
    eje = eje * (1 / l);
    P q = p - c;
    float u = punto(q, eje), v = q.x * eje.y - q.y * eje.x;
    float media = d.radio_punta * 0.45f;
    float curva = std::fabs(u - l * 0.52f - v * v * 0.06f);
    return std::max(curva - 0.35f, std::fabs(v) - media);
}

// The nail on the back of a finger, in the finger's own frame: u runs from the
// tip's centre towards the knuckle, v across.
float distancia_una(const Dedo& d, P p, float ancho) {
    P c = centro_punta(d), eje = d.nudillo - c;
    eje = eje * (1 / largo(eje));
    P q = p - c;
    float u = punto(q, eje), v = q.x * eje.y - q.y * eje.x;
    float r = d.radio_punta;
    return rectangulo_redondo({v, u}, {0, r * 0.45f}, {r * ancho, r * 1.05f}, r * 0.5f);
}

const Color PIEL_CLARA = {250, 214, 180};
const Color PIEL_OSCURA = {226, 168, 128};
const Color CONTORNO_PIEL = {128, 76, 50};
const Color UNA = {252, 228, 214};
const Color CONTORNO_UNA = {206, 150, 124};

Forma forma_mano(const Mano& m) {
    return [&m](float x, float y, Color& c) {
        P p = {x, y};
        float d = distancia_mano(m, p);
        if (d > 0) return false;
        if (d > -1.1f) {
            c = CONTORNO_PIEL;
            return true;
        }
        // Lighter towards the middle of each finger and of the back of the hand,
        // which rounds them without any drawn shading.
        c = mezcla(PIEL_OSCURA, PIEL_CLARA, suave(1, 7, -d));
        for (const Dedo& dedo : m.dedos) {
            if (distancia_arruga(dedo, p) < 0) c = mezcla(c, CONTORNO_PIEL, 0.35f);
            float u = distancia_una(dedo, p, 0.62f);
            if (u < 0) c = u > -0.8f ? CONTORNO_UNA : mezcla(UNA, PIEL_CLARA, 0.25f);
        }
        // The thumb lies on its side, so its nail shows narrow.
        float u = distancia_una(m.pulgar, p, 0.45f);
        if (u < 0) c = u > -0.8f ? CONTORNO_UNA : mezcla(UNA, PIEL_CLARA, 0.25f);
        return true;
    };
}

Lienzo dibujar_manos() {
    // Left hand, fingers numbered as in tabla_flechas.
    Mano izquierda = {
        {{0, {26, 91}, 5.5f, 7}, {2, {37, 76}, 5.5f, 8}, {4, {54, 67}, 6.5f, 8.5f}, {6, {75, 68}, 6.5f, 8.5f}},
        {8, {114, 84}, 8, 10.5f},
        {92, 124},
        13,
        {{28, 98}, {36, 82}, {54, 74}, {76, 74}, {92, 106}, {84, 170}, {42, 170}, {25, 125}},
    };
    Mano derecha = {
        {{1, {275, 83.5f}, 5.5f, 7}, {3, {256, 72}, 5.5f, 8}, {5, {236, 68}, 6.5f, 8.5f}, {7, {215, 68}, 6.5f, 8.5f}},
        {9, {182, 90}, 8, 10.5f},
        {208, 124},
        13,
        {{272, 92}, {266, 80}, {256, 76}, {236, 74}, {214, 74}, {204, 106}, {216, 170}, {256, 170}, {274, 125}},
    };
    Lienzo l(ANCHO_MANOS, ALTO_MANOS, gris(GRIS_FONDO));
    pintar(l, forma_mano(izquierda));
    pintar(l, forma_mano(derecha));
    return l;
}

// ---- banner -----------------------------------------------------------------

// A small geometric sans drawn as strokes of even width, enough for the
// maker's name. Coordinates are the strokes' centre lines in pixels, x from the
// letter's left, y up from the baseline.
using Trazo = std::vector<P>;

struct Letra {
    char c;
    float avance;
    std::vector<Trazo> trazos;
};

Trazo linea(std::initializer_list<P> puntos) { return Trazo(puntos); }

// An elliptic arc from angle a0 to a1 in degrees, counter-clockwise as seen.
Trazo arco(float cx, float cy, float rx, float ry, float a0, float a1) {
    Trazo t;
    int pasos = std::max(4, int(std::fabs(a1 - a0) / 6));
    for (int i = 0; i <= pasos; ++i) {
        float a = (a0 + (a1 - a0) * i / pasos) * 3.14159265f / 180;
        t.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
    return t;
}

// Metrics of the centre lines: x-height, cap height, ascender. Stems stand on
// whole pixels and strokes are two pixels wide, so that stems and the baseline
// come out sharp and only the curves are smoothed.
const float XA = 10, MA = 14, AS = 15;

Trazo unir(Trazo a, const Trazo& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<Letra> letras = {
    {'N', 14, {linea({{1, 0}, {1, MA}, {11, 0}, {11, MA}})}},
    {'S', 12, {unir(arco(5.5f, 10.5f, 4.25f, 3.5f, 35, 270), arco(5.5f, 3.5f, 4.5f, 3.5f, 90, -145))}},
    {'a', 13, {arco(5.5f, 5, 4.5f, 5, 0, 360), linea({{10, 0}, {10, XA}})}},
    {'d', 13, {arco(5.5f, 5, 4.5f, 5, 0, 360), linea({{10, 0}, {10, AS}})}},
    {'e', 12, {linea({{1, 5}, {10, 5}}), arco(5.5f, 5, 4.5f, 5, 0, 315)}},
    {'f', 8, {unir(linea({{3, 0}}), arco(6, AS - 3, 3, 3, 180, 50)), linea({{0.5f, XA}, {6.5f, XA}})}},
    {'o', 13, {arco(5.5f, 5, 4.5f, 5, 0, 360)}},
    {'r', 8, {linea({{1, 0}, {1, XA}}), arco(5, 5.5f, 4, 4.5f, 180, 60)}},
    {'t', 8, {unir(linea({{3, 13}}), arco(6, 3, 3, 3, 180, 290)), linea({{0.5f, XA}, {6.5f, XA}})}},
    {'v', 11, {linea({{0.5f, XA}, {4.75f, 0}, {9, XA}})}},
    {'w', 16, {linea({{0.5f, XA}, {4, 0}, {7.5f, XA - 1}, {11, 0}, {14.5f, XA}})}},
    {' ', 5, {}},
};

const Color AZUL_ENLACE = {0, 0, 176};

Lienzo dibujar_logo() {
    const std::string texto = "Norvedo Software";
    const float grosor = 2, base = 21;
    std::vector<Trazo> trazos;
    float x = 0;
    for (char ch : texto)
        for (const Letra& le : letras)
            if (le.c == ch) {
                for (const Trazo& t : le.trazos) {
                    Trazo u;
                    for (P p : t) u.push_back({x + p.x, p.y});
                    trazos.push_back(u);
                }
                x += le.avance;
            }
    // Centre the ink, not the advance, so that both ends sit evenly.
    float izquierda = 1e9f, derecha = -1e9f;
    for (const Trazo& t : trazos)
        for (P p : t) izquierda = std::min(izquierda, p.x), derecha = std::max(derecha, p.x);
    float desde = std::round((ANCHO_LOGO - (derecha - izquierda)) / 2 - izquierda);
    for (Trazo& t : trazos)
        for (P& p : t) p = {desde + p.x, base - p.y};
    Lienzo l(ANCHO_LOGO, ALTO_LOGO, gris(GRIS_FONDO));
    pintar(l, [&](float px, float py, Color& c) {
        float d = 1e9f;
        for (const Trazo& t : trazos)
            for (size_t i = 0; i + 1 < t.size(); ++i) d = std::min(d, distancia_segmento({px, py}, t[i], t[i + 1]));
        // A link's underline, a little below the baseline.
        bool raya = py >= base + 3 && py < base + 4 && px >= desde + izquierda - 1 && px < desde + derecha + 1;
        if (d > grosor / 2 && !raya) return false;
        c = AZUL_ENLACE;
        return true;
    }, 6);
    return l;
}

// ---- guide pictures -------------------------------------------------------

const Color ROJO = {222, 28, 28};
const Color ROJO_OSCURO = {128, 0, 0};

// The arrow: a shaft and a head whose blunt tip fills the arrow's tip pixel.
Lienzo dibujar_flecha() {
    const float medio = ANCHO_FLECHA / 2.0f;
    // Straight edges on pixel boundaries keep the shaft sharp.
    std::vector<P> contorno = {{medio - 3.5f, 0}, {medio + 3.5f, 0}, {medio + 3.5f, 15}, {ANCHO_FLECHA, 15},
                               {medio + 0.5f, ALTO_FLECHA}, {medio - 0.5f, ALTO_FLECHA}, {0, 15},
                               {medio - 3.5f, 15}};
    Lienzo l(ANCHO_FLECHA, ALTO_FLECHA, gris(GRIS_FONDO));
    pintar(l, [&](float x, float y, Color& c) {
        float d = poligono({x, y}, contorno);
        if (d > 0) return false;
        c = d > -1 ? ROJO_OSCURO : ROJO;
        return true;
    });
    return l;
}

// The highlight laid over a key: red, with a black dot for the eye to find.
Lienzo dibujar_marca() {
    Lienzo l(ANCHO_MARCA, ALTO_MARCA, ROJO);
    pintar(l, [](float x, float y, Color& c) {
        if (x < 1 || y < 1 || x > ANCHO_MARCA - 1 || y > ALTO_MARCA - 1)
            c = ROJO_OSCURO;
        else if (largo(P{x, y} - P{ANCHO_MARCA / 2.0f, ALTO_MARCA / 2.0f}) < 4)
            c = {0, 0, 0};
        else
            return false;
        return true;
    });
    return l;
}

// ---- icon -------------------------------------------------------------------

// The sixteen colours every display of the icon's era could show.
const uint8_t PALETA[16][3] = {
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
};
enum { NEGRO = 0, PLATA = 7, GRIS_MEDIO = 8, BLANCO = 15, TRANSPARENTE = -1 };

// An eñe drawn pixel by pixel: at this size a hand-set glyph reads better than
// any scaled one.
const char* const ENE[] = {
    "..XXX...XX.",
    ".XX..XXXX..",
    "...........",
    "XX.......XX",
    "XXX......XX",
    "XXXX.....XX",
    "XX.XX....XX",
    "XX.XXX...XX",
    "XX..XXX..XX",
    "XX...XXX.XX",
    "XX....XX.XX",
    "XX.....XXXX",
    "XX......XXX",
    "XX.......XX",
};

// A key cap seen from above, lit from the upper left, with the one letter that
// is Spanish's own.
std::vector<int> dibujar_icono() {
    std::vector<int> px(32 * 32, TRANSPARENTE);
    auto en = [&](int x, int y) -> int& { return px[size_t(y) * 32 + x]; };
    const int x0 = 1, y0 = 1, x1 = 30, y1 = 30;  // the cap's outline
    const int cx0 = 5, cy0 = 3, cx1 = 26, cy1 = 24;  // its top
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            bool esquina = (x == x0 || x == x1) && (y == y0 || y == y1);
            if (esquina) continue;
            if (x == x0 || x == x1 || y == y0 || y == y1 ||
                ((x == x0 + 1 || x == x1 - 1) && (y == y0 + 1 || y == y1 - 1))) {
                en(x, y) = NEGRO;
                continue;
            }
            if (x >= cx0 && x <= cx1 && y >= cy0 && y <= cy1) {
                en(x, y) = BLANCO;
                continue;
            }
            // Which side of the cap the pixel is on, each side scaled by its depth.
            float izq = float(cx0 - x) / (cx0 - x0), der = float(x - cx1) / (x1 - cx1);
            float arr = float(cy0 - y) / (cy0 - y0), aba = float(y - cy1) / (y1 - cy1);
            float lado = std::max({izq, der, arr, aba});
            en(x, y) = (lado == izq || lado == arr) ? PLATA : GRIS_MEDIO;
        }
    const int ancho = int(std::string(ENE[0]).size()), alto = int(sizeof ENE / sizeof ENE[0]);
    const int gx = (cx0 + cx1 + 1 - ancho) / 2, gy = (cy0 + cy1 + 1 - alto) / 2;
    for (int y = 0; y < alto; ++y)
        for (int x = 0; x < ancho; ++x)
            if (ENE[y][x] == 'X') en(gx + x, gy + y) = NEGRO;
    return px;
}

// One 32 x 32 image of 4 bits a pixel: colour rows, then the transparency mask,
// both bottom-up, under one header of twice the height.
bool guardar_ico(const std::string& ruta, const std::vector<int>& px) {
    const unsigned color = 32 * 32 / 2, mascara = 32 * 4, tam = 40 + 16 * 4 + color + mascara;
    std::vector<uint8_t> b;
    poner16(b, 0);
    poner16(b, 1);  // an icon
    poner16(b, 1);  // one image
    b.push_back(32);
    b.push_back(32);
    b.push_back(16);
    b.push_back(0);
    poner16(b, 1);
    poner16(b, 4);
    poner32(b, tam);
    poner32(b, 6 + 16);
    cabecera_info(b, 32, 64, 4, color + mascara, 16);
    for (const auto& c : PALETA) {
        b.push_back(c[2]);
        b.push_back(c[1]);
        b.push_back(c[0]);
        b.push_back(0);
    }
    for (int y = 31; y >= 0; --y)
        for (int x = 0; x < 32; x += 2) {
            int a = std::max(px[size_t(y) * 32 + x], 0), c = std::max(px[size_t(y) * 32 + x + 1], 0);
            b.push_back(uint8_t(a << 4 | c));
        }
    for (int y = 31; y >= 0; --y)
        for (int x = 0; x < 32; x += 8) {
            uint8_t m = 0;
            for (int i = 0; i < 8; ++i)
                if (px[size_t(y) * 32 + x + i] == TRANSPARENTE) m |= uint8_t(0x80 >> i);
            b.push_back(m);
        }
    return guardar(ruta, b);
}

// The desktop's icons, one per size its menus ask for, are the same 32 x 32
// picture resampled: each pixel averages the icon's pixels under it, weighted
// by how much of it each covers, so 256 keeps the pixels crisp and 16 halves them.
std::vector<uint8_t> icono_a_tamanio(const std::vector<int>& px, int lado) {
    const int MUESTRAS = 8;
    std::vector<uint8_t> rgba(size_t(lado) * lado * 4);
    for (int y = 0; y < lado; ++y)
        for (int x = 0; x < lado; ++x) {
            float r = 0, g = 0, b = 0, a = 0;
            for (int j = 0; j < MUESTRAS; ++j)
                for (int i = 0; i < MUESTRAS; ++i) {
                    int u = int((x + (i + 0.5f) / MUESTRAS) * 32 / lado);
                    int v = int((y + (j + 0.5f) / MUESTRAS) * 32 / lado);
                    int c = px[size_t(v) * 32 + u];
                    if (c == TRANSPARENTE) continue;
                    r += PALETA[c][0], g += PALETA[c][1], b += PALETA[c][2], a += 1;
                }
            uint8_t* p = &rgba[(size_t(y) * lado + x) * 4];
            if (a > 0) {
                p[0] = uint8_t(std::lround(r / a)), p[1] = uint8_t(std::lround(g / a)), p[2] = uint8_t(std::lround(b / a));
                p[3] = uint8_t(std::lround(255 * a / (MUESTRAS * MUESTRAS)));
            }
        }
    return rgba;
}

bool guardar_iconos_escritorio(const std::string& carpeta, const std::vector<int>& px) {
    for (int lado : {16, 32, 48, 256})
        if (!png::guardar_png(carpeta + "pulsafina-" + std::to_string(lado) + ".png", lado, lado,
                              icono_a_tamanio(px, lado)))
            return false;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string carpeta = argc > 1 ? argv[1] : "resources/";
    if (!carpeta.empty() && carpeta.back() != '/') carpeta += '/';
    Lienzo teclado(ANCHO_TECLADO, ALTO_TECLADO, gris(GRIS_CAJA));
    if (!dibujar_teclado(teclado)) return 1;
    bool bien = guardar_bmp(carpeta + "bmpteclado.bmp", teclado);
    Lienzo manos = dibujar_manos();
    bien = bien && guardar_bmp(carpeta + "bmpmanos.bmp", manos);
    Lienzo logo = dibujar_logo(), flecha = dibujar_flecha(), marca = dibujar_marca();
    bien = bien && guardar_bmp(carpeta + "bmplogo.bmp", logo) && guardar_bmp(carpeta + "bmpflecha.bmp", flecha) &&
           guardar_bmp(carpeta + "bmptecla.bmp", marca) && guardar_ico(carpeta + "icono.ico", dibujar_icono()) &&
           guardar_iconos_escritorio(carpeta, dibujar_icono());
    if (!bien) {
        std::fprintf(stderr, "dibujar: cannot write into %s\n", carpeta.c_str());
        return 1;
    }
    return 0;
}
