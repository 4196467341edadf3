// The options and help: the menu, the standard colour dialog, the letter-size
// dialog, the web links and the about box, each driven as the user would.
#include "banco.h"
#include "pantalla.h"
#include "app/estado.h"
#include <colordlg.h>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

// A modal dialog runs its own message loop on this thread, so the test acts on
// it from a thread timer, which that loop dispatches like any other message.
static std::function<void(HWND)> accion;
static HWND propietario_buscado, dialogo_visto;
static int tics_de_espera;
static bool cerrado_a_la_fuerza;

struct Dialogos { HWND buscado, cualquiera; };

static BOOL CALLBACK buscar_dialogo(HWND candidato, LPARAM hallados)
{
    char clase[16];
    GetClassNameA(candidato, clase, sizeof clase);
    if (strcmp(clase, "#32770") == 0) {
        ((Dialogos *)hallados)->cualquiera = candidato;
        if (GetWindow(candidato, GW_OWNER) == propietario_buscado)
            ((Dialogos *)hallados)->buscado = candidato;
    }
    return TRUE;
}

static void CALLBACK vigilar(HWND, UINT, UINT_PTR, DWORD)
{
    Dialogos hallados = {};
    EnumThreadWindows(GetCurrentThreadId(), buscar_dialogo, (LPARAM)&hallados);
    if (!dialogo_visto && hallados.buscado && IsWindowVisible(hallados.buscado)) {
        dialogo_visto = hallados.buscado;
        accion(dialogo_visto);
    } else if (hallados.cualquiera && ++tics_de_espera >= 3000) {
        // Never reached when the dialog behaves: it only keeps a broken test
        // from hanging.
        cerrado_a_la_fuerza = true;
        tics_de_espera = 0;
        EndDialog(hallados.cualquiera, 0);
    }
}

// Sends a menu command that shows a modal dialog owned by propietario, and runs
// hacer on the dialog once it shows.
static void con_dialogo(HWND ventana, int comando, HWND propietario, std::function<void(HWND)> hacer)
{
    accion = hacer;
    propietario_buscado = propietario;
    dialogo_visto = nullptr;
    tics_de_espera = 0;
    cerrado_a_la_fuerza = false;
    UINT_PTR temporizador_prueba = SetTimer(nullptr, 0, 10, vigilar);
    SendMessageA(ventana, WM_COMMAND, comando, 0);
    KillTimer(nullptr, temporizador_prueba);
    EXPECT_NE(dialogo_visto, nullptr) << "command " << comando << " showed no dialog";
    EXPECT_FALSE(cerrado_a_la_fuerza) << "the dialog of command " << comando << " did not close";
}

static void pulsar(HWND dialogo, int id)
{
    SendMessageA(dialogo, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialogo, id));
}

static COLORREF campos_rgb(HWND dialogo)
{
    return RGB(GetDlgItemInt(dialogo, COLOR_RED, nullptr, FALSE), GetDlgItemInt(dialogo, COLOR_GREEN, nullptr, FALSE),
               GetDlgItemInt(dialogo, COLOR_BLUE, nullptr, FALSE));
}

static void poner_rgb(HWND dialogo, COLORREF color)
{
    SetDlgItemInt(dialogo, COLOR_RED, GetRValue(color), FALSE);
    SetDlgItemInt(dialogo, COLOR_GREEN, GetGValue(color), FALSE);
    SetDlgItemInt(dialogo, COLOR_BLUE, GetBValue(color), FALSE);
}

// Opens the colour dialog of a command, types a colour and closes with boton;
// returns the colour that the dialog showed on opening (all ones if it did not
// open with its custom-colour section expanded).
static COLORREF elegir(HWND ventana, int comando, COLORREF nuevo, int boton = IDOK)
{
    COLORREF al_abrir = 0xFFFFFFFF;
    con_dialogo(ventana, comando, ventana, [&](HWND dialogo) {
        if (IsWindowVisible(GetDlgItem(dialogo, COLOR_RAINBOW)))
            al_abrir = campos_rgb(dialogo);
        poner_rgb(dialogo, nuevo);
        pulsar(dialogo, boton);
    });
    return al_abrir;
}

// A rich-text pane's background, read back through the previous colour that
// setting one returns.
static COLORREF fondo_de(HWND panel)
{
    COLORREF fondo = (COLORREF)SendMessageA(panel, EM_SETBKGNDCOLOR, 0, 0);
    SendMessageA(panel, EM_SETBKGNDCOLOR, 0, fondo);
    return fondo;
}

static int ultimo_indice() { return (int)texto_plano(panel_leccion).size() - 1; }

TEST_F(Ventana, ElMenuTieneSusOpcionesYSusNumeros)
{
    std::string arbol;
    std::function<void(HMENU, int)> recorrer = [&](HMENU menu, int nivel) {
        for (int i = 0; i < GetMenuItemCount(menu); i++) {
            char texto[64] = "";
            GetMenuStringA(menu, i, texto, sizeof texto, MF_BYPOSITION);
            UINT estado = GetMenuState(menu, i, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR);
            HMENU submenu = GetSubMenu(menu, i);
            arbol += std::string(nivel * 2, ' ') + texto + " = " +
                     (submenu ? "popup" : std::to_string((int)GetMenuItemID(menu, i))) +
                     (estado ? " state " + std::to_string(estado) : "") + "\n";
            if (submenu)
                recorrer(submenu, nivel + 1);
        }
    };
    recorrer(GetMenu(ventana), 0);
    EXPECT_EQ(arbol, "&Opciones = popup\n"
                     "  Colores = popup\n"
                     "    Color de Fondo = 7\n"
                     "    Color letra correcta = 1\n"
                     "    Color letra incorrecta = 2\n"
                     "    Color letra normal = 3\n"
                     "  Tamano de las letras = 6\n"
                     "&Ayuda = popup\n"
                     "  Ayuda on-line... = 4\n"
                     "  Acerca de... = 5\n"
                     "  Publicidad... = 8\n");
}

TEST_F(Ventana, CancelarUnColorLoDejaComoEstaba)
{
    EXPECT_EQ(dialogo_color.lStructSize, sizeof(CHOOSECOLORA));
    EXPECT_EQ(dialogo_color.Flags, (DWORD)(CC_RGBINIT | CC_FULLOPEN));

    // Each dialog opens expanded on its own colour; cancelled, it changes none,
    // yet the background command still gives the pane the unchanged white.
    SendMessageA(panel_leccion, EM_SETBKGNDCOLOR, 0, RGB(1, 2, 3));
    struct { int comando; COLORREF *color, inicial; } casos[] = {
        {1, &color_correcta, RGB(0, 255, 0)}, {2, &color_incorrecta, RGB(255, 0, 0)},
        {3, &color_normal, RGB(0, 0, 0)},     {7, &color_fondo, RGB(255, 255, 255)}};
    for (auto &caso : casos) {
        EXPECT_EQ(elegir(ventana, caso.comando, RGB(10, 20, 30), IDCANCEL), caso.inicial) << caso.comando;
        EXPECT_EQ(*caso.color, caso.inicial) << caso.comando;
    }
    EXPECT_EQ(fondo_de(panel_leccion), RGB(255, 255, 255));

    // A custom colour added in one command's dialog is offered by the next
    // one, whichever command opens it.
    COLORREF propio = RGB(12, 34, 56), ofrecido = 0;
    con_dialogo(ventana, 1, ventana, [&](HWND dialogo) {
        poner_rgb(dialogo, propio);
        pulsar(dialogo, COLOR_ADD);
        pulsar(dialogo, IDOK);
    });
    EXPECT_EQ(colores_personalizados[0], propio);
    con_dialogo(ventana, 7, ventana, [&](HWND dialogo) {
        RECT casilla = rectangulo_de(GetDlgItem(dialogo, COLOR_CUSTOM1));
        SendMessageA(dialogo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(casilla.left + 2, casilla.top + 2));
        SendMessageA(dialogo, WM_LBUTTONUP, 0, MAKELPARAM(casilla.left + 2, casilla.top + 2));
        ofrecido = campos_rgb(dialogo);
        pulsar(dialogo, IDCANCEL);
    });
    EXPECT_EQ(ofrecido, propio);
    EXPECT_EQ(color_fondo, RGB(255, 255, 255));
}

TEST_F(Ventana, UnColorAceptadoSeVeDesdeAhora)
{
    // During the introduction the whole text takes the new untyped colour.
    const COLORREF gris = RGB(90, 90, 90), azul = RGB(0, 0, 200), rosa = RGB(250, 0, 250), ocre = RGB(200, 150, 0);
    elegir(ventana, 3, gris);
    EXPECT_EQ(color_normal, gris);
    for (int i : {0, ultimo_indice() / 2, ultimo_indice()})
        EXPECT_EQ(color_en(i), gris) << i;

    // Right and wrong colours change nothing on screen until the next keystroke.
    escribir(ventana, "c");
    escribir_caracter(ventana, (unsigned char)texto_practica[0]);
    elegir(ventana, 1, azul);
    elegir(ventana, 2, rosa);
    EXPECT_EQ(color_correcta, azul);
    EXPECT_EQ(color_incorrecta, rosa);
    EXPECT_EQ(color_en(0), RGB(0, 255, 0));
    EXPECT_EQ(color_en(1), gris);
    escribir_caracter(ventana, (unsigned char)texto_practica[1]);
    escribir_caracter(ventana, 0x01);
    EXPECT_EQ(color_en(1), azul);
    EXPECT_EQ(color_en(2), rosa);

    // Mid-practice only the untyped rest is recoloured.
    elegir(ventana, 3, ocre);
    EXPECT_EQ(color_en(0), RGB(0, 255, 0));
    EXPECT_EQ(color_en(1), azul);
    EXPECT_EQ(color_en(2), rosa);
    for (int i : {3, 100, ultimo_indice()})
        EXPECT_EQ(color_en(i), ocre) << i;

    // The background goes to the lesson pane alone.
    elegir(ventana, 7, ocre);
    EXPECT_EQ(color_fondo, ocre);
    EXPECT_EQ(fondo_de(panel_leccion), ocre);
    EXPECT_NE(fondo_de(panel_estadisticas), ocre);
    comprobar_pantalla(ventana, "tras el dialogo de colores");
}

// Height in twips of the characters desde..hasta of a pane, or -1 when they
// differ.
static LONG altura_de(HWND panel, int desde, int hasta)
{
    CHARRANGE rango = {desde, hasta};
    SendMessageA(panel, EM_EXSETSEL, 0, (LPARAM)&rango);
    CHARFORMATA leido = {};
    leido.cbSize = sizeof leido;
    SendMessageA(panel, EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&leido);
    return (leido.dwMask & CFM_SIZE) ? leido.yHeight : -1;
}

static LONG altura_leccion() { return altura_de(panel_leccion, 0, ultimo_indice() + 1); }

static int posicion_barra(HWND dialogo) { return GetScrollPos(GetDlgItem(dialogo, 11), SB_CTL); }

static void desplazar(HWND dialogo, int codigo, int veces = 1)
{
    for (int i = 0; i < veces; i++)
        SendMessageA(dialogo, WM_HSCROLL, MAKEWPARAM(codigo, 50), (LPARAM)GetDlgItem(dialogo, 11));
}

TEST_F(Ventana, ElTamanioSeAplicaAlCerrarElDialogo)
{
    escribir(ventana, "c");
    escribir_caracter(ventana, (unsigned char)texto_practica[0]);
    escribir_caracter(ventana, 0x01);
    LONG altura_estadisticas = altura_de(panel_estadisticas, 0, 1);
    LONG altura_inicial = altura_leccion();

    // Three right arrows from the start; the trough and the thumb change nothing.
    con_dialogo(ventana, 6, ventana, [&](HWND dialogo) {
        EXPECT_EQ(texto_de(dialogo), "Selecciona el tama\361o deseado.");
        int minimo = -1, maximo = -1;
        GetScrollRange(GetDlgItem(dialogo, 11), SB_CTL, &minimo, &maximo);
        EXPECT_EQ(minimo, 0);
        EXPECT_EQ(maximo, 100);
        EXPECT_EQ(posicion_barra(dialogo), 10);
        desplazar(dialogo, SB_LINERIGHT, 3);
        EXPECT_EQ(posicion_barra(dialogo), 13);
        for (int codigo : {SB_PAGELEFT, SB_PAGERIGHT, SB_THUMBPOSITION, SB_THUMBTRACK, SB_LEFT, SB_RIGHT, SB_ENDSCROLL}) {
            desplazar(dialogo, codigo);
            EXPECT_EQ(tamanio, 13) << codigo;
            EXPECT_EQ(posicion_barra(dialogo), 13) << codigo;
        }
        EXPECT_EQ(altura_leccion(), altura_inicial);
        SendMessageA(GetDlgItem(dialogo, 12), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(tamanio, 13);
    comprobar_pantalla(ventana, "tras el dialogo del tamanio");
    EXPECT_EQ(altura_leccion(), 130);
    EXPECT_EQ(color_en(0), color_correcta);
    EXPECT_EQ(color_en(1), color_incorrecta);
    EXPECT_EQ(color_en(2), color_normal);
    EXPECT_EQ(altura_de(panel_estadisticas, 0, 1), altura_estadisticas);

    // Enter, Esc and the close box all apply the size as the button does.
    struct { const char *como; UINT mensaje; WPARAM tecla; } cierres[] = {
        {"Enter", WM_KEYDOWN, VK_RETURN}, {"Esc", WM_KEYDOWN, VK_ESCAPE}, {"close box", WM_SYSCOMMAND, SC_CLOSE}};
    int esperado = 13;
    for (auto &cierre : cierres) {
        con_dialogo(ventana, 6, ventana, [&](HWND dialogo) {
            EXPECT_EQ(posicion_barra(dialogo), esperado) << cierre.como;
            desplazar(dialogo, SB_LINELEFT);
            HWND destino = cierre.mensaje == WM_KEYDOWN ? GetDlgItem(dialogo, 12) : dialogo;
            PostMessageA(destino, cierre.mensaje, cierre.tecla, 0);
        });
        esperado--;
        EXPECT_EQ(tamanio, esperado) << cierre.como;
        EXPECT_EQ(altura_leccion(), esperado * 10) << cierre.como;
    }

    // The chosen size stays for the texts shown afterwards.
    SendMessageA(botones_leccion[2], BM_CLICK, 0, 0);
    EXPECT_EQ(altura_leccion(), esperado * 10);
    escribir(ventana, "c");
    EXPECT_EQ(altura_leccion(), esperado * 10);

    // The ends of the bar hold; the text never goes below one point.
    struct { int desde, codigo, queda; LONG twips; } extremos[] = {{99, SB_LINERIGHT, 100, 1000}, {1, SB_LINELEFT, 0, 20}};
    for (auto &extremo : extremos) {
        tamanio = extremo.desde;
        con_dialogo(ventana, 6, ventana, [&](HWND dialogo) {
            desplazar(dialogo, extremo.codigo, 2);
            EXPECT_EQ(posicion_barra(dialogo), extremo.queda);
            pulsar(dialogo, 12);
        });
        EXPECT_EQ(tamanio, extremo.queda);
        EXPECT_EQ(altura_leccion(), extremo.twips) << extremo.queda;
    }
}

// The shell hands web addresses to the recorder registered in the test prefix,
// which appends them to this file.
static std::string archivo_direcciones()
{
    char ruta[MAX_PATH];
    GetTempPathA(sizeof ruta, ruta);
    return std::string(ruta) + "pulsafina_direcciones_" + std::to_string(GetCurrentProcessId()) + ".txt";
}

// The addresses opened since the last call. The shell has started each
// recorder, a child of this process, before it returns: once every child has
// ended, all the addresses are written.
static std::string paginas_abiertas()
{
    EXPECT_EQ(esperar_procesos_hijos(), "");
    std::ifstream archivo(archivo_direcciones(), std::ios::binary);
    std::string leido((std::istreambuf_iterator<char>(archivo)), std::istreambuf_iterator<char>());
    archivo.close();
    DeleteFileA(archivo_direcciones().c_str());
    return leido;
}

static bool sobre(HWND ventana, int x, int y)
{
    SendMessageA(ventana, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    EXPECT_EQ(GetCursor(), sobre_logo ? cursor_mano : cursor_normal) << x << "," << y;
    return sobre_logo == 1;
}

TEST_F(Ventana, LaAyudaYElLogoAbrenLasPaginas)
{
    char manejador[MAX_PATH * 2] = "";
    LONG largo = sizeof manejador;
    RegQueryValueA(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", manejador, &largo);
    ASSERT_NE(strstr(manejador, "anotar_direccion.exe"), nullptr)
        << "web addresses would open a real browser: " << manejador << " (run under tools/probar.sh)";
    SetEnvironmentVariableA("PULSAFINA_DIRECCIONES", archivo_direcciones().c_str());
    paginas_abiertas();

    SendMessageA(ventana, WM_COMMAND, 4, 0);
    EXPECT_EQ(paginas_abiertas(), "http://www.norvedo.example\n");
    SendMessageA(ventana, WM_COMMAND, 8, 0);
    EXPECT_EQ(paginas_abiertas(), "http://www.norvedo.example/publicidad.php\n");

    // The banner zone, bounds included.
    EXPECT_TRUE(sobre(ventana, logo_x + 250, 50));
    EXPECT_TRUE(sobre(ventana, logo_x, 20));
    for (POINT fuera : {POINT{logo_x - 1, 30}, POINT{logo_x + 251, 30}, POINT{logo_x, 19}, POINT{logo_x, 51}})
        EXPECT_FALSE(sobre(ventana, fuera.x, fuera.y)) << fuera.x - logo_x << "," << fuera.y;

    // The last pointer move decides, not the place of the click; the right
    // button does nothing; a double click opens the page once.
    LPARAM en_el_logo = MAKELPARAM(logo_x + 125, 35);
    SendMessageA(ventana, WM_LBUTTONDOWN, MK_LBUTTON, en_el_logo);
    SendMessageA(ventana, WM_LBUTTONUP, 0, en_el_logo);
    sobre(ventana, logo_x + 125, 35);
    SendMessageA(ventana, WM_RBUTTONDOWN, MK_RBUTTON, en_el_logo);
    SendMessageA(ventana, WM_RBUTTONUP, 0, en_el_logo);
    EXPECT_EQ(paginas_abiertas(), "");
    // Waiting lets the real pointer's moves in: the move over the banner again.
    sobre(ventana, logo_x + 125, 35);
    for (UINT mensaje : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        SendMessageA(ventana, mensaje, mensaje == WM_LBUTTONUP ? 0 : MK_LBUTTON, en_el_logo);
    EXPECT_EQ(paginas_abiertas(), "http://www.norvedo.example\n");

    // The platform puts back the class pointer before each move arrives; the
    // hand stays while the last move lay over the banner.
    LPARAM movimiento = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
    sobre(ventana, logo_x + 125, 35);
    SetCursor(cursor_normal);
    EXPECT_EQ(SendMessageA(ventana, WM_SETCURSOR, (WPARAM)ventana, movimiento), TRUE);
    EXPECT_EQ(GetCursor(), cursor_mano);
    sobre(ventana, logo_x + 125, 60);
    SetCursor(cursor_mano);
    SendMessageA(ventana, WM_SETCURSOR, (WPARAM)ventana, movimiento);
    EXPECT_EQ(GetCursor(), cursor_normal);
}

TEST_F(Ventana, AcercaDeMuestraElAutor)
{
    std::string titulo, texto;
    bool principal_activa = false;
    con_dialogo(ventana, 5, nullptr, [&](HWND caja) {
        titulo = texto_de(caja);
        for (HWND hijo = GetWindow(caja, GW_CHILD); hijo; hijo = GetWindow(hijo, GW_HWNDNEXT)) {
            char clase[16];
            GetClassNameA(hijo, clase, sizeof clase);
            if (_stricmp(clase, "Static") == 0 && texto_de(hijo).size() > texto.size())
                texto = texto_de(hijo);
        }
        principal_activa = IsWindowEnabled(ventana);
        pulsar(caja, IDOK);
    });
    EXPECT_EQ(titulo, "Autor.");
    EXPECT_EQ(texto, "Programa desarrollado por\n"
                     "el equipo de Pulsafina\n"
                     " para Norvedo Software\n"
                     "http://www.norvedo.example");
    EXPECT_TRUE(principal_activa);
    comprobar_pantalla(ventana, "tras la caja del autor");
}
