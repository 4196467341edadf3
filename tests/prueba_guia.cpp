// Key labels and the finger guide: the cells on their keys, the two label
// sets, the highlight and the arrow for every typed character.
#include "banco.h"
#include "app/estado.h"
#include "app/ventana.h"
#include "screen/rotulos.h"
#include "screen/teclas.h"

static void comprobar_celdas(const unsigned char *rotulos)
{
    for (int i = 0; i < TECLAS; i++) {
        SCOPED_TRACE(testing::Message() << "celda " << i);
        std::string texto = texto_de(celdas_tecla[i]);
        ASSERT_EQ(texto.size(), 1u);
        EXPECT_EQ((unsigned char)texto[0], rotulos[i]);
        const Tecla *tecla = nullptr;
        for (const Tecla &t : tabla_teclas)
            if (t.minuscula == rotulos[i] || t.mayuscula == rotulos[i])
                tecla = &t;
        ASSERT_NE(tecla, nullptr);
        RECT r = rectangulo_de(celdas_tecla[i]);
        EXPECT_EQ(r.left, teclado_x + tecla->x);
        EXPECT_EQ(r.top, teclado_y + tecla->y);
        EXPECT_EQ(r.right - r.left, ANCHO_TECLA);
        EXPECT_EQ(r.bottom - r.top, ALTO_TECLA);
        EXPECT_TRUE(IsWindowVisible(celdas_tecla[i]));
    }
}

static void pulsar(HWND ventana, WPARAM tecla, bool repeticion = false)
{
    SendMessageA(ventana, WM_KEYDOWN, tecla, repeticion ? (1 << 30) | 1 : 1);
}

static void soltar(HWND ventana, WPARAM tecla)
{
    SendMessageA(ventana, WM_KEYUP, tecla, (LPARAM)(0xC0000001u));
}

TEST_F(Ventana, LosRotulosCambianConMayusculasYBloqueo)
{
    comprobar_celdas(rotulos_minusculas);
    EXPECT_EQ(texto_de(celdas_tecla[0]), "0");
    EXPECT_EQ(texto_de(celdas_tecla[10]), "a");

    pulsar(ventana, VK_SHIFT);
    EXPECT_FALSE(minusculas);
    comprobar_celdas(rotulos_mayusculas);
    EXPECT_EQ(texto_de(celdas_tecla[26]), "\252");
    soltar(ventana, VK_SHIFT);
    comprobar_celdas(rotulos_minusculas);

    // A held Shift repeats its key-down: the set stays switched until release.
    pulsar(ventana, VK_SHIFT);
    pulsar(ventana, VK_SHIFT, true);
    pulsar(ventana, VK_SHIFT, true);
    EXPECT_FALSE(minusculas);
    soltar(ventana, VK_SHIFT);
    EXPECT_TRUE(minusculas);

    // Caps Lock switches on its press only, and once however long it is held.
    pulsar(ventana, VK_CAPITAL);
    pulsar(ventana, VK_CAPITAL, true);
    soltar(ventana, VK_CAPITAL);
    EXPECT_FALSE(minusculas);
    comprobar_celdas(rotulos_mayusculas);
    // With Caps Lock on, Shift shows the lower-case set while held.
    pulsar(ventana, VK_SHIFT);
    comprobar_celdas(rotulos_minusculas);
    soltar(ventana, VK_SHIFT);
    comprobar_celdas(rotulos_mayusculas);
    pulsar(ventana, VK_CAPITAL);
    soltar(ventana, VK_CAPITAL);
    comprobar_celdas(rotulos_minusculas);

    // Other keys change nothing.
    pulsar(ventana, 'A');
    soltar(ventana, 'A');
    pulsar(ventana, VK_CONTROL);
    EXPECT_TRUE(minusculas);

    // Keys that changed while another window had the focus: when the focus
    // comes back the set is the keyboard's, Shift down xor Caps Lock on.
    auto con_el_foco_fuera = [&](BYTE shift, BYTE bloqueo) {
        SetFocus(botones_leccion[0]);
        BYTE teclado[256];
        GetKeyboardState(teclado);
        teclado[VK_SHIFT] = shift;
        teclado[VK_CAPITAL] = bloqueo;
        SetKeyboardState(teclado);
        SetFocus(ventana);
    };
    pulsar(ventana, VK_SHIFT);   // its release goes to the button
    con_el_foco_fuera(0, 0);
    comprobar_celdas(rotulos_minusculas);
    con_el_foco_fuera(0, 1);
    comprobar_celdas(rotulos_mayusculas);
    con_el_foco_fuera(0x80, 1);
    comprobar_celdas(rotulos_minusculas);
    con_el_foco_fuera(0x80, 0);
    comprobar_celdas(rotulos_mayusculas);
    soltar(ventana, VK_SHIFT);   // and the keys go on switching it
    comprobar_celdas(rotulos_minusculas);
    con_el_foco_fuera(0, 0);
    comprobar_celdas(rotulos_minusculas);
}

TEST_F(Ventana, LasCeldasSiguenASusTeclasAlRedimensionar)
{
    for (auto medida : {std::make_pair(713, 400), std::make_pair(1000, 700), std::make_pair(717, 451)}) {
        SCOPED_TRACE(testing::Message() << medida.first << " x " << medida.second);
        redimensionar(ventana, medida.first, medida.second);
        comprobar_celdas(rotulos_minusculas);
        pulsar(ventana, VK_CAPITAL);
        comprobar_celdas(rotulos_mayusculas);
        pulsar(ventana, VK_CAPITAL);
    }
}

TEST(Arranque, ConElBloqueoDeMayusculasPuestoSeVenLasMayusculas)
{
    BYTE teclado[256];
    GetKeyboardState(teclado);
    teclado[VK_CAPITAL] |= 1;
    SetKeyboardState(teclado);
    HWND ventana = arrancar();
    teclado[VK_CAPITAL] &= ~1;   // for the tests that run after this one
    SetKeyboardState(teclado);
    ASSERT_NE(ventana, nullptr);
    EXPECT_FALSE(minusculas);
    comprobar_celdas(rotulos_mayusculas);
    pulsar(ventana, VK_CAPITAL);
    comprobar_celdas(rotulos_minusculas);
    cerrar(ventana);
}

static void comprobar_guia(unsigned char c, const Tecla &tecla, int f)
{
    SCOPED_TRACE(testing::Message() << "caracter " << (int)c);
    EXPECT_EQ(dedo, f);
    ASSERT_TRUE(IsWindowVisible(imagen_tecla));
    ASSERT_TRUE(IsWindowVisible(imagen_flecha));
    RECT marca = rectangulo_de(imagen_tecla);
    EXPECT_EQ(marca.left, teclado_x + tecla.x);
    EXPECT_EQ(marca.top, teclado_y + tecla.y);
    EXPECT_EQ(marca.right - marca.left, ANCHO_TECLA);
    EXPECT_EQ(marca.bottom - marca.top, ALTO_TECLA);
    RECT flecha = rectangulo_de(imagen_flecha);
    EXPECT_EQ(flecha.left, manos_x + tabla_flechas[f].x);
    EXPECT_EQ(flecha.top, manos_y + tabla_flechas[f].y);
    EXPECT_EQ(flecha.right - flecha.left, ANCHO_FLECHA);
    EXPECT_EQ(flecha.bottom - flecha.top, ALTO_FLECHA);
}

TEST_F(Ventana, CadaCaracterIluminaSuTeclaYSenalaSuDedo)
{
    EXPECT_FALSE(IsWindowVisible(imagen_tecla));
    EXPECT_FALSE(IsWindowVisible(imagen_flecha));
    redimensionar(ventana, 1000, 700);
    for (int i = 0; i < TECLAS_ROTULADAS; i++) {
        const Tecla &tecla = tabla_teclas[i];
        for (unsigned char c : {tecla.minuscula, tecla.mayuscula}) {
            escribir_caracter(ventana, c);
            comprobar_guia(c, tecla, tecla.dedo);
            soltar(ventana, 'A');
            EXPECT_FALSE(IsWindowVisible(imagen_tecla));
            EXPECT_FALSE(IsWindowVisible(imagen_flecha));
        }
    }
}

TEST_F(Ventana, ElEspacioVaAlPulgarDeLaOtraMano)
{
    const Tecla &barra = tabla_teclas[TECLA_ESPACIO];
    escribir(ventana, " ");   // first space: dedo starts at 0, a left finger
    comprobar_guia(' ', barra, 9);
    struct { const char *antes; int pulgar; } casos[] = {
        {"a", 9}, {"g", 9}, {"\361", 8}, {"h", 8}, {"5", 9}, {"9", 8},
    };
    for (auto &caso : casos) {
        escribir(ventana, caso.antes);
        escribir(ventana, " ");
        comprobar_guia(' ', barra, caso.pulgar);
    }
    // A run of spaces alternates the thumbs.
    escribir(ventana, "a");
    int esperado[] = {9, 8, 9, 8};
    for (int pulgar : esperado) {
        escribir(ventana, " ");
        EXPECT_EQ(dedo, pulgar);
    }
}

TEST_F(Ventana, LosCaracteresSinTeclaNoCambianLaGuia)
{
    escribir(ventana, "c");   // starts the practice and lights the c
    comprobar_guia('c', tabla_teclas[36], 4);
    RECT antes = rectangulo_de(imagen_tecla);
    for (unsigned char c : {0xE1, 0xE9, 0xED, 0xF3, 0xFA, 0xE7, 13, 8, 9, 0}) {
        escribir_caracter(ventana, c);
        EXPECT_EQ(dedo, 4);
        EXPECT_TRUE(IsWindowVisible(imagen_tecla));
        RECT ahora = rectangulo_de(imagen_tecla);
        EXPECT_EQ(ahora.left, antes.left);
        EXPECT_EQ(ahora.top, antes.top);
    }
    soltar(ventana, VK_RETURN);
    escribir_caracter(ventana, 0xE1);
    EXPECT_FALSE(IsWindowVisible(imagen_tecla));
    // The next space still goes by the last finger that had a key.
    escribir(ventana, " ");
    EXPECT_EQ(dedo, 9);
}

TEST_F(Ventana, MayusculaSostenidaAlEscribirA)
{
    pulsar(ventana, VK_SHIFT);
    escribir(ventana, "A");
    comprobar_guia('A', tabla_teclas[24], 0);
    soltar(ventana, 'A');
    EXPECT_FALSE(IsWindowVisible(imagen_flecha));
    soltar(ventana, VK_SHIFT);
    EXPECT_TRUE(minusculas);
    EXPECT_FALSE(IsWindowVisible(imagen_tecla));
}

TEST_F(Ventana, UnRedimensionadoDejaLaGuiaDondeEstaba)
{
    escribir(ventana, "q");
    RECT marca = rectangulo_de(imagen_tecla);
    RECT flecha = rectangulo_de(imagen_flecha);
    redimensionar(ventana, 1000, 700);
    EXPECT_TRUE(IsWindowVisible(imagen_tecla));
    RECT marca_despues = rectangulo_de(imagen_tecla);
    RECT flecha_despues = rectangulo_de(imagen_flecha);
    EXPECT_EQ(marca_despues.left, marca.left);
    EXPECT_EQ(marca_despues.top, marca.top);
    EXPECT_EQ(flecha_despues.left, flecha.left);
    EXPECT_EQ(flecha_despues.top, flecha.top);
    escribir(ventana, "q");
    comprobar_guia('q', tabla_teclas[13], 0);
}

// Position of a child in its siblings' stacking order, 0 on top.
static int altura_en_pila(HWND hijo)
{
    int n = 0;
    for (HWND h = GetWindow(hijo, GW_HWNDPREV); h; h = GetWindow(h, GW_HWNDPREV))
        n++;
    return n;
}

TEST_F(Ventana, LaMarcaQuedaSobreLaCeldaYLaCeldaSobreElTeclado)
{
    for (int vez = 0; vez < 2; vez++) {
        escribir(ventana, "k");
        pulsar(ventana, VK_SHIFT);   // relabels and lays out again
        int marca = altura_en_pila(imagen_tecla);
        int flecha = altura_en_pila(imagen_flecha);
        for (HWND celda : celdas_tecla)
            EXPECT_LT(marca, altura_en_pila(celda));
        EXPECT_LT(altura_en_pila(celdas_tecla[0]), altura_en_pila(imagen_teclado));
        EXPECT_LT(flecha, altura_en_pila(imagen_manos));
        soltar(ventana, VK_SHIFT);
    }
}
