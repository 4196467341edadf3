// Every change of colour or size goes through formato and the pane's
// selection: select the range, then apply the fields named in dwMask.
#include "app/paneles.h"
#include "app/estado.h"
#include "app/dibujo.h"

static void aplicar_formato(CHARRANGE *rango, DWORD mascara, WPARAM alcance)
{
    formato.dwMask = mascara;
    if (rango)
        SendMessageA(panel_leccion, EM_EXSETSEL, 0, (LPARAM)rango);
    SendMessageA(panel_leccion, EM_SETCHARFORMAT, alcance, (LPARAM)&formato);
}

// The row of the lesson pane that holds character cp, across the whole pane:
// from its top to the next row's, or to the pane's foot on the last row.
static RECT fila_de(LONG cp)
{
    RECT fila;
    GetClientRect(panel_leccion, &fila);
    POINTL esta = {0, 0}, proxima = {0, 0};
    SendMessageA(panel_leccion, EM_POSFROMCHAR, (WPARAM)&esta, cp);
    fila.top = esta.y;
    LONG linea = (LONG)SendMessageA(panel_leccion, EM_EXLINEFROMCHAR, 0, cp);
    LONG siguiente = (LONG)SendMessageA(panel_leccion, EM_LINEINDEX, linea + 1, 0);
    if (siguiente > cp) {
        SendMessageA(panel_leccion, EM_POSFROMCHAR, (WPARAM)&proxima, siguiente);
        if (proxima.y > esta.y)
            fila.bottom = proxima.y;
    }
    return fila;
}

// After any change of format the pane repaints the whole paragraph, which is
// the whole practice text, though one letter's colour is all that changed:
// only that letter's row is drawn, at once when nothing else was waiting to
// be painted. Whatever was waiting before still is, and the row waits with
// it; a scroll of the pane, which repaints what it moves, is left to do its
// own painting.
void pintar_caracter(COLORREF color)
{
    formato.crTextColor = color;
    RECT pendiente;
    bool habia_pendiente = espera_pintura(panel_leccion, &pendiente);
    POINT antes = {0, 0}, despues = {0, 0};
    SendMessageA(panel_leccion, EM_GETSCROLLPOS, 0, (LPARAM)&antes);
    aplicar_formato(&rango_actual, CFM_COLOR, SCF_SELECTION);
    SendMessageA(panel_leccion, EM_GETSCROLLPOS, 0, (LPARAM)&despues);
    if (antes.x != despues.x || antes.y != despues.y)
        return;
    RECT fila = fila_de(rango_actual.cpMin);
    ValidateRect(panel_leccion, nullptr);
    if (!habia_pendiente && dibujar_ahora(panel_leccion, &fila))
        return;
    if (habia_pendiente)
        InvalidateRect(panel_leccion, &pendiente, TRUE);
    InvalidateRect(panel_leccion, &fila, TRUE);
}

// The pane lays a paragraph out again at every change of format, measuring
// each run of equal format anew, and measures again what is left of a run
// each time it breaks one across rows: for the one long run of a practice
// text put in whole, several times the text per keystroke. And a run, once
// measured, keeps room for the glyphs of its whole length after it is broken
// across rows: each row of a text put in whole would hold room for the text
// from there to its end, tens of kB of heap that grow with the square of the
// text's length. So the practice goes in a piece at a time, each ending at
// the first space past LARGO_TROZO characters, every other piece with a
// revision author, which shows nothing without the revision mark: no run is
// longer than a piece, nor is any measured longer. Pieces of under a row:
// shorter ones would make more runs, and every run is measured anew at
// every keystroke.
const int LARGO_TROZO = 40;
const int MAXIMO_TROZO = 80;

// The lesson pane keeps no undo steps. Yet the control hands the end of each
// paragraph it deletes to an undo step, and with no step to take it the end
// is never freed: some 280 bytes of heap for each line of an introduction
// replaced, at every change of lesson. Allowed one step while the old text
// goes, then emptied, the control frees them.
void poner_texto_leccion(const char *texto)
{
    SendMessageA(panel_leccion, EM_SETUNDOLIMIT, 1, 0);
    SetWindowTextA(panel_leccion, texto);
    SendMessageA(panel_leccion, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageA(panel_leccion, EM_SETUNDOLIMIT, 0, 0);
}

void poner_practica(const char *texto)
{
    poner_texto_leccion("");
    CHARFORMAT2A autor = {};
    autor.cbSize = sizeof autor;
    autor.dwMask = CFM_REVAUTHOR;
    char trozo[MAXIMO_TROZO + 1];
    while (*texto) {
        int largo = 0;
        while (largo < MAXIMO_TROZO && texto[largo] &&
               (largo < LARGO_TROZO || texto[largo - 1] != ' '))
            largo++;
        CopyMemory(trozo, texto, largo);
        trozo[largo] = '\0';
        texto += largo;
        // Set on the empty selection at the end, the format is the one that
        // the text put there next takes.
        SendMessageA(panel_leccion, EM_SETCHARFORMAT, SCF_SELECTION, (LPARAM)&autor);
        SendMessageA(panel_leccion, EM_REPLACESEL, FALSE, (LPARAM)trozo);
        autor.bRevAuthor ^= 1;
    }
}

void pintar_resto()
{
    formato.crTextColor = color_normal;
    rango_resto.cpMin = rango_actual.cpMax - 1;
    rango_resto.cpMax = GetWindowTextLengthA(panel_leccion);
    aplicar_formato(&rango_resto, CFM_COLOR, SCF_SELECTION);
}

void aplicar_altura(LONG twips)
{
    formato.yHeight = twips;
    aplicar_formato(nullptr, CFM_SIZE, SCF_ALL);
    // Also the format that new text takes, or the next lesson shown would
    // fall back to the pane's own size.
    aplicar_formato(nullptr, CFM_SIZE, SCF_DEFAULT);
}

void aplicar_fondo(COLORREF color)
{
    SendMessageA(panel_leccion, EM_SETBKGNDCOLOR, 0, (LPARAM)color);
}

// Under Wine, asking whether a window waits to be painted costs two round
// trips to the window server, and a keystroke would ask it of each pane.
// Asking once whether any window of the program does costs one; it is asked
// before anything is drawn, as the question also sends what has been drawn
// to the X server.
static bool nada_pendiente;

void abrir_pulsacion()
{
    nada_pendiente = !(HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT);
}

void cerrar_pulsacion()
{
    nada_pendiente = false;
}

bool espera_pintura(HWND panel, RECT *donde)
{
    return !nada_pendiente && GetUpdateRect(panel, donde, FALSE);
}

// A paint message costs some ten round trips to the window server under Wine
// (fetching it, the update region, the caret hidden and shown around it, the
// background erased through the update region again), and each keystroke
// changes both panes: when nothing waited to be painted before the change,
// all that waits is the change's, and the pane is drawn whole into a DC of
// the window, as a paint would draw it, which costs less than asking where
// the change lies; then it is taken as done. Nothing is erased: the pane
// draws every row it holds, and the margins that it leaves to the erasing
// keep the colour that they had.
void pintar_panel(HWND panel)
{
    if (dibujar_ahora(panel, nullptr))
        ValidateRect(panel, nullptr);
}
