#include "screen/rotulos.h"
#include "screen/controles.h"
#include "screen/guia.h"
#include "screen/teclas.h"
#include "app/estado.h"
#include "app/dibujo.h"

const unsigned char rotulos_minusculas[TECLAS] = {
    '0', '1', '2', '3', '4', '5', '6', '7', '8', '9',
    'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 'k', 'l', 'm',
    'n', 'o', 'p', 'q', 'r', 's', 't', 'u', 'v', 'w', 'x', 'y', 'z',
    0xF1, ',', '.', '-', '+', '\'', 0xA1, 0xBA,   // n tilde, inverted !, masculine ordinal
};

const unsigned char rotulos_mayusculas[TECLAS] = {
    'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M',
    'N', 'O', 'P', 'Q', 'R', 'S', 'T', 'U', 'V', 'W', 'X', 'Y', 'Z',
    0xAA, '!', '"', 0xB7, '$', '%', '&', '/', '(', ')', '=', '?',   // feminine ordinal, middle dot
    0xBF, '*', ';', ':', '_', 0xD1,                                 // inverted ?, capital n tilde
};

// Cell i's label in the given set, as a one-character text.
static void rotulo(int i, bool en_minusculas, char texto[2])
{
    texto[0] = (char)(en_minusculas ? rotulos_minusculas : rotulos_mayusculas)[i];
    texto[1] = 0;
}

void crear_celdas(HWND ventana)
{
    // Caps Lock may already be on: read its toggle once, then follow the keys.
    if (GetKeyState(VK_CAPITAL) & 1)
        minusculas = false;
    // Each cell is created with its label, which spares the platform one
    // request per cell at start-up. The cells lie under the highlight, so
    // they clip their siblings.
    for (int i = 0; i < TECLAS; i++) {
        char texto[2];
        rotulo(i, minusculas, texto);
        celdas_tecla[i] = CreateWindowExA(0, "static", texto, WS_CHILD | SS_CENTER | WS_CLIPSIBLINGS,
                                          0, 0, 0, 0, ventana, (HMENU)0, hInstance, nullptr);
    }
}

void rotular_celdas(bool en_minusculas)
{
    for (int i = 0; i < TECLAS; i++) {
        char texto[2];
        rotulo(i, en_minusculas, texto);
        SetWindowTextA(celdas_tecla[i], texto);
    }
}

// A cell stands on the key of its label, so each switch of the set moves
// every cell to another key. Laid out after the relabelling, each move would
// repaint the cell at its new place and the keyboard under the old one, after
// the cell had already repainted itself at the old place with its new label:
// three paints for one. So, once the cells are shown (each on its key), they
// go to the keys of their new labels first, with the platform's repainting
// held back, and each is then drawn once, at its new place, with its new
// label. The places left are exactly the places taken, one cell to each key,
// so no key is left unpainted. The layout that follows finds every cell in
// place.
static bool celdas_en_sus_teclas()
{
    for (HWND celda : celdas_tecla)
        if (!IsWindowVisible(celda))
            return false;
    return true;
}

static void llevar_a_sus_teclas(bool en_minusculas)
{
    for (int i = 0; i < TECLAS; i++) {
        const Tecla *tecla = buscar_tecla((en_minusculas ? rotulos_minusculas : rotulos_mayusculas)[i]);
        if (tecla)
            SetWindowPos(celdas_tecla[i], nullptr, teclado_x + tecla->x, teclado_y + tecla->y, ANCHO_TECLA,
                         ALTO_TECLA, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOREDRAW | SWP_DEFERERASE);
    }
}

// A cell given its label paints itself at once through a DC of its own, one
// more DC for each of the 44 cells, each thrown away at the next switch and
// each sending the window to the X server again under Wine. The label is set
// as the cell would set it, without that painting, and all the cells are
// then drawn through the window's one DC.
static void rotular_y_dibujar(bool en_minusculas)
{
    for (int i = 0; i < TECLAS; i++) {
        char texto[2];
        rotulo(i, en_minusculas, texto);
        DefWindowProcA(celdas_tecla[i], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(texto));
    }
    for (HWND celda : celdas_tecla)
        if (!dibujar_ahora(celda, nullptr))
            InvalidateRect(celda, nullptr, FALSE);
}

static void cambiar_rotulos()
{
    minusculas = !minusculas;
    if (celdas_en_sus_teclas()) {
        llevar_a_sus_teclas(minusculas);
        rotular_y_dibujar(minusculas);
    } else
        rotular_celdas(minusculas);
    colocar_controles();
}

void pulsar_tecla(WPARAM tecla, LPARAM estado)
{
    // Bit 30: the key was already down, a repeat of a held key. Only the first
    // press switches the set, so a held Shift shows the other set until it is
    // released and a held Caps Lock switches it once.
    bool repeticion = (estado & (1 << 30)) != 0;
    if ((tecla == VK_SHIFT || tecla == VK_CAPITAL) && !repeticion)
        cambiar_rotulos();
}

// The set follows the key messages, and a key released while another window
// had the focus (Shift let go over a lesson button, in a dialog, in another
// program) leaves it inverted. When the focus comes back the keyboard itself
// says which set is in force.
void recobrar_rotulos()
{
    bool mayusculas = (GetKeyState(VK_SHIFT) < 0) != ((GetKeyState(VK_CAPITAL) & 1) != 0);
    if (minusculas == mayusculas)
        cambiar_rotulos();
}

void soltar_tecla(WPARAM tecla)
{
    if (tecla == VK_SHIFT)
        cambiar_rotulos();
    ocultar_guia();
}
