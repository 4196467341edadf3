#include "options/colores.h"
#include "app/estado.h"
#include "app/paneles.h"
#include "app/diferidas.h"

void preparar_dialogo_color()
{
    dialogo_color.lStructSize = sizeof dialogo_color;
    dialogo_color.hInstance = reinterpret_cast<HWND>(hInstance);
    dialogo_color.lpCustColors = colores_personalizados;
    dialogo_color.Flags = CC_RGBINIT | CC_FULLOPEN;
    dialogo_color.lCustData = 0;
    dialogo_color.lpfnHook = nullptr;
    dialogo_color.lpTemplateName = nullptr;
}

static COLORREF *color_del_comando(int comando)
{
    switch (comando) {
    case COMANDO_COLOR_CORRECTA: return &color_correcta;
    case COMANDO_COLOR_INCORRECTA: return &color_incorrecta;
    case COMANDO_COLOR_NORMAL: return &color_normal;
    case COMANDO_COLOR_FONDO: return &color_fondo;
    }
    return nullptr;
}

void elegir_color(int comando)
{
    COLORREF *color = color_del_comando(comando);
    if (!color)
        return;
    // A cancelled dialog leaves rgbResult as it was, so the colour stays; the
    // follow-up runs either way.
    dialogo_color.rgbResult = *color;
    pedir_color(&dialogo_color);
    *color = dialogo_color.rgbResult;
    if (comando == COMANDO_COLOR_FONDO)
        aplicar_fondo(color_fondo);
    else if (comando == COMANDO_COLOR_NORMAL)
        pintar_resto();
}
