// The main window under a real window manager (openbox), whose frame is
// shrunk below the minimum through the X server. Run by tests/escritorio.sh in
// a prefix whose windows are managed, not by the plain test run: the test
// prefix's windows are unmanaged, as its X server has no window manager.
#include "banco.h"
#include "pantalla.h"
#include "app/estado.h"
#include "screen/controles.h"
#include <cstdio>
#include <string>

// A Unix program, which Wine starts as it is; waits for it to end. Named
// apart from its arguments, so that no ".exe" is looked for. Wine does not
// pass such a program's exit code back: what it did is seen on the screen.
static void ejecutar_unix(const char *programa, std::string linea)
{
    STARTUPINFOA inicio = {};
    inicio.cb = sizeof inicio;
    PROCESS_INFORMATION proceso = {};
    if (!CreateProcessA(programa, &linea[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &inicio, &proceso))
        return;
    WaitForSingleObject(proceso.hProcess, 20000);
    CloseHandle(proceso.hThread);
    CloseHandle(proceso.hProcess);
}

static void esperar(DWORD milisegundos)
{
    DWORD desde = GetTickCount();
    while (GetTickCount() - desde < milisegundos) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        procesar_mensajes();
    }
}

TEST_F(Ventana, BajoUnGestorElMarcoNoRecortaLaVentana)
{
    esperar(1500);
    comprobar_pantalla(ventana, "al abrir bajo el gestor");

    // The window is the only one of that name on this X server.
    // The window is the only one of that name on this X server; a shell
    // passes xdotool its arguments as they are written here.
    ejecutar_unix("Z:\\bin\\sh", "sh -c \"xdotool search --name '^Pulsafina - Norvedo Software$' "
                                    "windowsize %@ 300 200 && echo encogida\"");
    esperar(1500);
    RECT cliente;
    GetClientRect(ventana, &cliente);
    EXPECT_GE(cliente.right, ANCHO_MINIMO);
    EXPECT_GE(cliente.bottom, ALTO_MINIMO);
    EXPECT_EQ(ancho, cliente.right);
    EXPECT_EQ(alto, cliente.bottom);
    comprobar_pantalla(ventana, "tras encoger el marco");
}
