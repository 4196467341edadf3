// A person at a Spanish keyboard: key events at the X server, with the Spanish
// layout (set by tests/teclado_espanol.sh), typed into the running window; each step is checked on what the
// person sees: the statistics, the lit key and the finger, the labels.
#include "banco.h"
#include "pantalla.h"
#include "app/estado.h"
#include "practice/estadisticas.h"
#include "screen/rotulos.h"
#include "screen/teclas.h"
#include <cstdio>
#include <cstring>
#include <string>

// The characters that reach the main window, as TranslateMessage makes them.
static std::string recibidos;
// What the statistics pane was last given: the program rewrites it after
// every counted keystroke only.
static std::string estadisticas;
static int pulsaciones_recibidas;    // key downs and ups
static HHOOK gancho;

static LRESULT CALLBACK anotar_caracter(int codigo, WPARAM quitado, LPARAM lParam)
{
    const MSG *m = (const MSG *)lParam;
    if (codigo == HC_ACTION && quitado == PM_REMOVE && m->message == WM_CHAR)
        recibidos += (char)(unsigned char)m->wParam;
    if (codigo == HC_ACTION && quitado == PM_REMOVE && (m->message == WM_KEYDOWN || m->message == WM_KEYUP))
        pulsaciones_recibidas++;
    return CallNextHookEx(gancho, codigo, quitado, lParam);
}

static std::string formateadas()
{
    char texto[256];
    formatear_estadisticas(texto, sizeof texto);
    return texto;
}

static bool igual(RECT a, int x, int y, int w, int h)
{
    return a.left == x && a.top == y && a.right == x + w && a.bottom == y + h;
}

// One step: the X events, then exactly these characters, this many counted
// keystrokes more, and the screen as a full repaint of the same state.
static void paso(HWND ventana, const char *eventos, const char *caracteres, int contadas)
{
    SCOPED_TRACE(eventos);
    int antes = aciertos + errores;
    recibidos.clear();
    // xdotool may end before Wine has read its events from the X server.
    int esperadas = pulsaciones_recibidas + (strncmp(eventos, "key ", 4) == 0 ? 2 : 1);
    ASSERT_TRUE(xdotool(eventos));
    for (int i = 0; i < 200 && pulsaciones_recibidas < esperadas; i++) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        procesar_mensajes();
    }
    esperar_pinturas();
    EXPECT_EQ(recibidos, caracteres);
    EXPECT_EQ(aciertos + errores, antes + contadas);
    if (contadas)
        estadisticas = formateadas();
    EXPECT_EQ(texto_plano(panel_estadisticas), estadisticas);
    comprobar_pantalla(ventana, eventos);
}

// The highlight on the key of c and the arrow at finger f, or neither.
static void guia(unsigned char c, int f)
{
    SCOPED_TRACE(c);
    const Tecla *t = nullptr;
    for (const Tecla &k : tabla_teclas)
        if (k.minuscula == c || k.mayuscula == c || (c == ' ' && &k == &tabla_teclas[TECLAS_ROTULADAS]))
            t = &k;
    ASSERT_EQ(IsWindowVisible(imagen_tecla) != 0, t != nullptr);
    ASSERT_EQ(IsWindowVisible(imagen_flecha) != 0, t != nullptr);
    if (!t)
        return;
    EXPECT_TRUE(igual(rectangulo_de(imagen_tecla), teclado_x + t->x, teclado_y + t->y, ANCHO_TECLA, ALTO_TECLA));
    EXPECT_EQ(dedo, f);
    EXPECT_TRUE(igual(rectangulo_de(imagen_flecha), manos_x + tabla_flechas[f].x, manos_y + tabla_flechas[f].y,
                      ANCHO_FLECHA, ALTO_FLECHA));
}

static void rotulos(bool en_minusculas)
{
    const unsigned char *juego = en_minusculas ? rotulos_minusculas : rotulos_mayusculas;
    for (int i = 0; i < TECLAS; i++)
        EXPECT_EQ((unsigned char)texto_de(celdas_tecla[i])[0], juego[i]) << "celda " << i;
}

// The physical keys, by their X key codes (a PC keyboard under the evdev
// rules): what they type is up to the layout, as for a person.
#define C "54"
#define A "38"
#define S "39"
#define G "42"
#define L "46"
#define ENIE "47"          // right of l
#define AGUDO "48"         // right of the n with tilde: the dead acute
#define MAYUSCULAS "50"    // left Shift
#define BLOQUEO "66"       // Caps Lock
#define ORDINAL "49"       // left of 1
#define APOSTROFO "20"     // right of 0
#define EXCLAMACION "21"   // left of Backspace
#define MAS "35"           // left of Enter
#define CEDILLA "51"       // right of the dead acute
#define GUION "61"         // left of the right Shift
#define ESPACIO "65"

// A key held down: its character lights the guide; its release hides it.
static void tecla(HWND ventana, const char *keysym, unsigned char c, int f)
{
    char abajo[64], arriba[64];
    snprintf(abajo, sizeof abajo, "keydown %s", keysym);
    snprintf(arriba, sizeof arriba, "keyup %s", keysym);
    char caracter[2] = {(char)c, 0};
    paso(ventana, abajo, caracter, practicando ? 1 : 0);
    guia(c, f);
    paso(ventana, arriba, "", 0);
    guia(0, 0);
}

TEST(Teclado, UnaPersonaEscribeConUnTecladoEspanol)
{
    HWND ventana = arrancar();
    ASSERT_NE(ventana, nullptr);
    gancho = SetWindowsHookExA(WH_GETMESSAGE, anotar_caracter, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(enfocar_por_x(ventana));
    estadisticas = formateadas();

    tecla(ventana, C, 'c', 4);
    ASSERT_TRUE(practicando);
    tecla(ventana, A, 'a', 0);
    tecla(ventana, S, 's', 2);
    tecla(ventana, ENIE, 0xF1, 1);

    // The dead acute makes no character; with the a it makes one: an a
    // acute, a single keystroke, and no key of its own.
    paso(ventana, "key " AGUDO, "", 0);
    paso(ventana, "keydown " A, "\xE1", 1);
    guia(0, 0);
    paso(ventana, "keyup " A, "", 0);

    paso(ventana, "keydown " MAYUSCULAS, "", 0);
    rotulos(false);
    tecla(ventana, A, 'A', 0);
    rotulos(false);
    paso(ventana, "keyup " MAYUSCULAS, "", 0);
    rotulos(true);

    paso(ventana, "key " BLOQUEO, "", 0);
    rotulos(false);
    paso(ventana, "key " BLOQUEO, "", 0);
    rotulos(true);

    tecla(ventana, ORDINAL, 0xBA, 0);
    tecla(ventana, EXCLAMACION, 0xA1, 1);
    tecla(ventana, APOSTROFO, '\'', 1);
    tecla(ventana, MAS, '+', 1);
    tecla(ventana, CEDILLA, 0xE7, 0);
    tecla(ventana, GUION, '-', 1);

    // The space bar goes to the thumb of the other hand.
    tecla(ventana, G, 'g', 6);
    tecla(ventana, ESPACIO, ' ', 9);
    tecla(ventana, L, 'l', 3);
    tecla(ventana, ESPACIO, ' ', 8);

    UnhookWindowsHookEx(gancho);
    cerrar(ventana);
}
