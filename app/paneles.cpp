// Every change of colour or size goes through formato and the pane's
// selection: select the range, then apply the fields named in dwMask.
#include "app/paneles.h"
#include "app/estado.h"

static void aplicar_formato(CHARRANGE *rango, DWORD mascara, WPARAM alcance)
{
    formato.dwMask = mascara;
    if (rango)
        SendMessageA(panel_leccion, EM_EXSETSEL, 0, (LPARAM)rango);
    SendMessageA(panel_leccion, EM_SETCHARFORMAT, alcance, (LPARAM)&formato);
}

void pintar_caracter(COLORREF color)
{
    formato.crTextColor = color;
    aplicar_formato(&rango_actual, CFM_COLOR, SCF_SELECTION);
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
