#include "options/tamanio.h"
#include "app/estado.h"
#include "app/paneles.h"

// tamanio counts half points; a height below one point would make the text
// vanish, so none is applied.
const LONG ALTURA_MINIMA = 20;

void elegir_tamanio(HWND ventana)
{
    DialogBoxParamA(hInstance, "dialogotamanio", ventana, proc_tamanio, 0);
    LONG altura = (LONG)tamanio * 10;
    aplicar_altura(altura < ALTURA_MINIMA ? ALTURA_MINIMA : altura);
}

static void mostrar_tamanio(HWND dialogo)
{
    SetScrollPos(GetDlgItem(dialogo, ID_BARRA_TAMANIO), SB_CTL, tamanio, TRUE);
}

INT_PTR CALLBACK proc_tamanio(HWND dialogo, UINT mensaje, WPARAM wParam, LPARAM)
{
    switch (mensaje) {
    case WM_INITDIALOG:
        SetScrollRange(GetDlgItem(dialogo, ID_BARRA_TAMANIO), SB_CTL, TAMANIO_MINIMO, TAMANIO_MAXIMO, TRUE);
        mostrar_tamanio(dialogo);
        return TRUE;
    case WM_COMMAND:
        // Every way out applies the size: the button, Enter, Esc, the close box.
        EndDialog(dialogo, 0);
        return TRUE;
    case WM_HSCROLL:
        // Only the arrows step the size, and only within the bar's range;
        // the thumb is put back wherever else it was dragged or paged.
        if (LOWORD(wParam) == SB_LINERIGHT && tamanio < TAMANIO_MAXIMO)
            tamanio++;
        else if (LOWORD(wParam) == SB_LINELEFT && tamanio > TAMANIO_MINIMO)
            tamanio--;
        mostrar_tamanio(dialogo);
        return TRUE;
    }
    return FALSE;
}
