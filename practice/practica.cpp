#include "practice/practica.h"
#include "practice/estadisticas.h"
#include "lessons/lecciones.h"
#include "app/estado.h"
#include "app/paneles.h"

static void empezar_practica()
{
    practicando = true;
    restantes = cargar_practica(leccion_actual);
    aciertos = 0;
    errores = 0;
    puntuacion = 0.0f;
    pulsaciones = 0.0f;
    GetWindowTextA(panel_leccion, texto_practica, TAMANIO_TEXTO_PRACTICA);
}

// Shows lesson n's introduction from its first character on: the position
// goes back to 0 before the repaint, so the whole text takes the normal
// colour whatever was typed before.
static void presentar_leccion(int n)
{
    leccion_actual = n;
    practicando = false;
    posicion = 0;
    rango_actual.cpMax = 1;
    segundos = 1;
    mostrar_introduccion(leccion_actual);
}

static void contar_pulsacion(unsigned char c)
{
    // The copy holds at most TAMANIO_TEXTO_PRACTICA - 1 characters; should the
    // pane ever report more, the surplus compares against the final zero.
    char esperado = 0;
    if (posicion >= 0 && posicion < TAMANIO_TEXTO_PRACTICA)
        esperado = texto_practica[posicion];
    bool correcta = (char)c == esperado;
    if (correcta)
        aciertos++;
    else
        errores++;
    restantes--;
    pulsaciones = (float)(posicion / segundos);
    puntuacion = (float)((double)aciertos / (aciertos + errores) * 10.0);

    if (restantes > 0) {
        pintar_caracter(correcta ? color_correcta : color_incorrecta);
        posicion++;
        rango_actual.cpMax++;
    } else {
        // The last character is not painted: its text is replaced at once.
        presentar_leccion(leccion_actual == NUMERO_LECCIONES ? 1 : leccion_actual + 1);
    }
    actualizar_estadisticas();
}

void procesar_caracter(unsigned char c)
{
    if (!practicando) {
        if (c == 'c')
            empezar_practica();
        return;
    }
    contar_pulsacion(c);
}

// cppcheck-suppress constParameter ; a window handle: Win32 has no handle-to-const type
void elegir_leccion(HWND control)
{
    // A button that could not be created has no handle; a command without a
    // control must not stand for it.
    if (!control)
        return;
    for (int i = 0; i < BOTONES; i++) {
        if (botones_leccion[i] == control) {
            presentar_leccion(i + 1);
            SetFocus(ventana_principal);
            return;
        }
    }
}

void contar_segundo()
{
    segundos++;
}

// cppcheck-suppress constParameter ; a window handle: Win32 has no handle-to-const type
void vigilar_foco(HWND foco_nuevo)
{
    if (foco_nuevo && (foco_nuevo == panel_leccion || foco_nuevo == panel_estadisticas))
        SetFocus(ventana_principal);
}
