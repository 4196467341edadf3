// Key and arrow tables: where each labelled key lies on the keyboard picture,
// which finger types it, and where the finger arrow sits over each fingertip.
// Plain constant data without Windows types, so that both the program and the
// artwork tool in tools/ draw from the same numbers.
#ifndef PULSAFINA_TECLAS_H
#define PULSAFINA_TECLAS_H

// Picture sizes, in pixels.
const int ANCHO_TECLADO = 412, ALTO_TECLADO = 153;
const int ANCHO_MANOS = 301, ALTO_MANOS = 153;
const int ANCHO_LOGO = 250, ALTO_LOGO = 30;
const int ANCHO_TECLA = 24, ALTO_TECLA = 21;    // a key rectangle and its cell
const int ANCHO_MARCA = 23, ALTO_MARCA = 21;    // the highlight bitmap
const int ANCHO_FLECHA = 15, ALTO_FLECHA = 30;

// One key: its two characters (without and with Shift, Windows-1252), the
// top-left corner of its key top relative to the keyboard picture's corner,
// and the finger that types it (0..9, even left, odd right; see tabla_flechas).
struct Tecla {
    unsigned char minuscula;
    unsigned char mayuscula;
    int y;
    int x;
    int dedo;
};

const int TECLAS_ROTULADAS = 44;

// The 44 labelled keys; the space bar follows as entry 44.
const Tecla tabla_teclas[TECLAS_ROTULADAS + 1] = {
    {0xBA, 0xAA, 33, 3, 0},     // º ª
    {'1', '!', 33, 30, 0},
    {'2', '"', 33, 57, 2},
    {'3', 0xB7, 33, 84, 4},     // 3 ·
    {'4', '$', 33, 111, 6},
    {'5', '%', 33, 138, 6},
    {'6', '&', 33, 165, 6},
    {'7', '/', 33, 192, 7},
    {'8', '(', 33, 219, 7},
    {'9', ')', 33, 246, 5},
    {'0', '=', 33, 273, 3},
    {'\'', '?', 33, 300, 1},
    {0xA1, 0xBF, 33, 327, 1},   // ¡ ¿
    {'q', 'Q', 57, 45, 0},
    {'w', 'W', 57, 72, 2},
    {'e', 'E', 57, 99, 4},
    {'r', 'R', 57, 126, 6},
    {'t', 'T', 57, 153, 6},
    {'y', 'Y', 57, 180, 7},
    {'u', 'U', 57, 207, 7},
    {'i', 'I', 57, 234, 5},
    {'o', 'O', 57, 261, 3},
    {'p', 'P', 57, 288, 1},
    {'+', '*', 57, 342, 1},
    {'a', 'A', 81, 57, 0},
    {'s', 'S', 81, 84, 2},
    {'d', 'D', 81, 111, 4},
    {'f', 'F', 81, 138, 6},
    {'g', 'G', 81, 165, 6},
    {'h', 'H', 81, 192, 7},
    {'j', 'J', 81, 219, 7},
    {'k', 'K', 81, 246, 5},
    {'l', 'L', 81, 273, 3},
    {0xF1, 0xD1, 81, 300, 1},   // ñ Ñ
    {'z', 'Z', 105, 69, 0},
    {'x', 'X', 105, 96, 2},
    {'c', 'C', 105, 123, 4},
    {'v', 'V', 105, 150, 6},
    {'b', 'B', 105, 177, 6},
    {'n', 'N', 105, 204, 7},
    {'m', 'M', 105, 231, 7},
    {',', ';', 105, 258, 5},
    {'.', ':', 105, 285, 3},
    {'-', '_', 105, 312, 1},
    {' ', ' ', 129, 180, 8},    // space bar: the finger comes from the thumb rule
};

const int TECLA_ESPACIO = TECLAS_ROTULADAS;

// Top-left corner of the arrow picture for each finger, relative to the hands
// picture's corner. The arrow points down: its tip, the middle of its lower
// edge, is the fingertip.
struct Flecha {
    int x;
    int y;
};

const int DEDOS = 10;

const Flecha tabla_flechas[DEDOS] = {
    {0, 21},      // 0 left little finger
    {285, 13},    // 1 right little finger
    {13, -10},    // 2 left ring finger
    {260, -15},   // 3 right ring finger
    {40, -29},    // 4 left middle finger
    {228, -28},   // 5 right middle finger
    {75, -22},    // 6 left index finger
    {195, -20},   // 7 right index finger
    {120, 10},    // 8 left thumb
    {155, 20},    // 9 right thumb
};

// Where an arrow's tip touches the finger, relative to the arrow's corner.
const int PUNTA_FLECHA_X = 7, PUNTA_FLECHA_Y = 30;

// Greys shared by the artwork and the window. The key tops are one flat
// RGB(GRIS_TAPA, GRIS_TAPA, GRIS_TAPA), so the label cells, painted in the same
// grey, read as printed on the key; the hands, logo and arrow pictures stand on
// RGB(GRIS_FONDO, GRIS_FONDO, GRIS_FONDO), the light grey of the window behind
// them.
const int GRIS_TAPA = 0xE6;
const int GRIS_FONDO = 0xC0;

#endif
