// Process entry of pulsafina.exe. The command line is not used.
#include "app/ventana.h"

int WINAPI WinMain(HINSTANCE instancia, HINSTANCE, LPSTR, int mostrar)
{
    HWND ventana = crear_ventana_principal(instancia);
    if (!ventana)
        return 0;
    ShowWindow(ventana, mostrar);
    int codigo = ejecutar_bucle();
    liberar_recursos();
    return codigo;
}
