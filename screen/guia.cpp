#include "screen/guia.h"
#include "screen/teclas.h"
#include "screen/controles.h"
#include "app/estado.h"

const Tecla *buscar_tecla(unsigned char c)
{
    for (const Tecla &tecla : tabla_teclas)
        if (tecla.minuscula == c || tecla.mayuscula == c)
            return &tecla;
    return nullptr;
}

unsigned char primer_caracter(HWND ventana)
{
    char texto[2] = {0, 0};
    GetWindowTextA(ventana, texto, sizeof texto);
    return (unsigned char)texto[0];
}

void colocar_celdas()
{
    for (int i = 0; i < TECLAS; i++) {
        const Tecla *tecla = buscar_tecla(primer_caracter(celdas_tecla[i]));
        if (tecla)
            mover_control(celdas_tecla[i], teclado_x + tecla->x, teclado_y + tecla->y,
                          ANCHO_TECLA, ALTO_TECLA);
    }
}

// Even fingers are the left hand's, odd ones the right's.
static int pulgar_opuesto(int dedo_anterior)
{
    return dedo_anterior % 2 == 0 ? 9 : 8;
}

void mostrar_guia(unsigned char c)
{
    const Tecla *tecla = buscar_tecla(c);
    if (!tecla)
        return;
    // The space bar goes to the thumb of the hand that did not type last.
    int f = c == ' ' ? pulgar_opuesto(dedo) : tecla->dedo;
    dedo = f;
    mover_control(imagen_tecla, teclado_x + tecla->x, teclado_y + tecla->y, ANCHO_TECLA, ALTO_TECLA);
    mover_control(imagen_flecha, manos_x + tabla_flechas[f].x, manos_y + tabla_flechas[f].y,
                  ANCHO_FLECHA, ALTO_FLECHA);
}

void ocultar_guia()
{
    ShowWindow(imagen_tecla, SW_HIDE);
    ShowWindow(imagen_flecha, SW_HIDE);
}
