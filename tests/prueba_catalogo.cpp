// The lesson texts are generated, so these tests look at what the rest of the
// program takes for granted: lengths that become the remaining-character
// count, one-line practices that are compared byte by byte, the closing line
// that names the key c, and the exact content of the drills and texts.
#include "banco.h"

#include <cstring>

#include "app/estado.h"
#include "lessons/lecciones.h"

namespace {

const char *practica(int n) { return lecciones[n - 1].practica; }
const char *introduccion(int n) { return lecciones[n - 1].introduccion; }

int veces(const char *texto, char c) {
    int n = 0;
    for (; *texto; ++texto)
        n += *texto == c;
    return n;
}

int unidades(const char *texto) { return veces(texto, ' ') + 1; }

bool empieza(const char *texto, const char *principio) {
    return std::strncmp(texto, principio, std::strlen(principio)) == 0;
}

bool termina(const char *texto, const char *final) {
    std::size_t a = std::strlen(texto), b = std::strlen(final);
    return a >= b && std::strcmp(texto + a - b, final) == 0;
}

// True when the bytes of texto other than a-z and space are exactly those of
// esperados, in any order: a running text may hold nothing else.
bool solo_estos_signos(const char *texto, const char *esperados) {
    int cuenta[256] = {};
    for (const unsigned char *p = (const unsigned char *)texto; *p; ++p)
        if (*p != ' ' && (*p < 'a' || *p > 'z'))
            ++cuenta[*p];
    for (const unsigned char *p = (const unsigned char *)esperados; *p; ++p)
        --cuenta[*p];
    for (int c : cuenta)
        if (c != 0)
            return false;
    return true;
}

}  // namespace

TEST(Catalogo, CadaLeccionEstaEnSuSitio) {
    for (int i = 0; i < NUMERO_LECCIONES; ++i)
        EXPECT_EQ(lecciones[i].numero, i + 1);
}

TEST(Catalogo, LargoDeCadaPractica) {
    const int largo[NUMERO_LECCIONES] = {461, 587, 575, 503, 503, 503, 503,
                                         449, 503, 503, 491, 403, 335, 532,
                                         391, 419, 479, 335, 508, 437};
    for (int n = 1; n <= NUMERO_LECCIONES; ++n)
        EXPECT_EQ((int)std::strlen(practica(n)), largo[n - 1]) << n;
}

TEST(Catalogo, PracticasDeUnaLineaConEspaciosSimples) {
    for (int n = 1; n <= NUMERO_LECCIONES; ++n) {
        const char *p = practica(n);
        EXPECT_NE(p[0], ' ') << n;
        EXPECT_NE(p[std::strlen(p) - 1], ' ') << n;
        EXPECT_EQ(std::strstr(p, "  "), nullptr) << n;
        EXPECT_EQ(std::strpbrk(p, "\r\n\t"), nullptr) << n;
    }
}

TEST(Catalogo, IntroduccionesAcabanPidiendoLaTeclaC) {
    const char *cierre = "\n\nPulsa la tecla c para continuar.";
    ASSERT_EQ(std::strlen(cierre), 34u);
    for (int n = 1; n <= NUMERO_LECCIONES; ++n) {
        const char *intro = introduccion(n);
        EXPECT_TRUE(termina(intro, cierre)) << n;
        EXPECT_GT(std::strlen(intro), 34u) << n;
        EXPECT_EQ(std::strpbrk(intro, "\r\t"), nullptr) << n;
    }
}

TEST(Catalogo, EjerciciosDeFilas) {
    EXPECT_EQ(unidades(practica(1)), 77);
    for (const char *p = practica(1); *p; p += p[5] ? 6 : 5)
        ASSERT_TRUE(empieza(p, "asdfg")) << p;

    EXPECT_TRUE(empieza(practica(3), "asdfg \361lkjh asdfg"));
    EXPECT_TRUE(termina(practica(3), "asdfg \361lkjh"));

    // Lesson 9 doubles the n of lesson 8's unit.
    EXPECT_TRUE(empieza(practica(8), ".,mn .,mn "));
    EXPECT_EQ(std::strstr(practica(8), "nn"), nullptr);
    EXPECT_TRUE(empieza(practica(9), "zxcvb .,mnn zxcvb"));
    EXPECT_TRUE(termina(practica(9), "zxcvb .,mnn"));
    EXPECT_EQ(veces(practica(9), 'n'), 84);

    EXPECT_TRUE(termina(practica(17), "123456 0987"));
    EXPECT_EQ(unidades(practica(17)), 80);
}

TEST(Catalogo, AbecedarioConEnyeYLaYAntesDeLaX) {
    const char *unidad = "abcdefghijklmn\361opqrstuvwyxz";
    ASSERT_EQ(std::strlen(unidad), 27u);
    const char *p = practica(10);
    EXPECT_EQ(unidades(p), 18);
    for (int i = 0; i < 18; ++i)
        EXPECT_EQ(std::strncmp(p + i * 28, unidad, 27), 0) << i;
    EXPECT_TRUE(termina(p, "wyxz"));
}

TEST(Catalogo, GruposDePalabras) {
    EXPECT_EQ(unidades(practica(11)), 84);
    EXPECT_TRUE(empieza(practica(11), "hola hola hola hola uno "));
    EXPECT_EQ(veces(practica(11), '.'), 12);   // "etc..." four times
    EXPECT_TRUE(termina(practica(11), "etc... quinto quinto quinto quinto"));

    EXPECT_EQ(unidades(practica(12)), 60);
    EXPECT_NE(std::strstr(practica(12), " Hip\363tesis Hip\363tesis "
                                        "Hip\363Tesis Hip\363Tesis AnteMano "),
              nullptr);
    EXPECT_NE(std::strstr(practica(12),
                          " caMINo caMINo caMINO caMINO ESTRELLA "),
              nullptr);

    EXPECT_EQ(unidades(practica(13)), 48);
    EXPECT_TRUE(empieza(practica(13), "Cami\363n Cami\363n"));
    EXPECT_TRUE(termina(practica(13), "pluT\363n pluT\363n"));
}

TEST(Catalogo, TextosSeguidos) {
    EXPECT_TRUE(empieza(practica(14),
                        "Hasta ahora hemos escrito simplemente palabras, sin "
                        "embargo, en la vida real lo que debemos escribir es "
                        "texto. "));
    EXPECT_EQ(unidades(practica(14)), 94);
    EXPECT_TRUE(solo_estos_signos(practica(14),
                                  "CDEHLMN\341\341\355\355\355\363\363\372\372"
                                  ",,,,,,......;"));

    EXPECT_TRUE(empieza(practica(19), "Pedro naci\363 en 1980 "));
    EXPECT_EQ(unidades(practica(19)), 95);
    EXPECT_TRUE(solo_estos_signos(practica(19),
                                  "EENPPQS\341\341\351\355\363\363\363\363"
                                  "\372\372\361\241!(),,,,,,,,.....1980131"));

    EXPECT_TRUE(empieza(practica(20), "Enhora buena, estas a punto de acabar "
                                      "este curso en 20 lecciones. "));
    EXPECT_EQ(unidades(practica(20)), 77);
    EXPECT_TRUE(termina(practica(20), " ;)."));
    EXPECT_TRUE(solo_estos_signos(practica(20),
                                  "AAEMS\341\341\341\341\341\351\355\355\363"
                                  "\37220,.....;)"));
}

TEST(Catalogo, NumerosYCaracteresEspeciales) {
    const char *p = practica(18);
    EXPECT_EQ(unidades(p), 70);
    int cifras = 0, mayusculas = 0;
    for (const char *c = p; *c; ++c) {
        cifras += *c >= '0' && *c <= '9';
        mayusculas += *c >= 'A' && *c <= 'Z';
    }
    EXPECT_EQ(cifras, 121);
    EXPECT_EQ(mayusculas, 2);
    EXPECT_NE(std::strstr(p, " UnBerto "), nullptr);
    EXPECT_EQ(veces(p, '$'), 9);
    EXPECT_EQ(veces(p, '('), 4);
    EXPECT_EQ(veces(p, ')'), 3);
    EXPECT_EQ(veces(p, '%'), 2);
    EXPECT_EQ(veces(p, '&'), 2);
    for (const char *c = "\267!/=,.\341\372"; *c; ++c)
        EXPECT_EQ(veces(p, *c), 1) << (int)(unsigned char)*c;
    EXPECT_TRUE(termina(p, "nos vemos en los bares del 1843."));
}

TEST(Catalogo, LetrasFueraDeAsciiSoloDondeTocan) {
    // Each character, then the lessons whose practice holds it.
    const struct { char letra; int practicas[6]; } tabla[] = {
        {'\341', {13, 14, 18, 19, 20}}, {'\351', {19, 20}},
        {'\355', {13, 14, 19, 20}},     {'\363', {12, 13, 14, 19, 20}},
        {'\372', {14, 18, 19, 20}},     {'\361', {2, 3, 10, 11, 19}},
        {'\241', {19}},                 {'\267', {18}},
    };
    for (const auto &fila : tabla)
        for (int n = 1; n <= NUMERO_LECCIONES; ++n) {
            bool debe = false;
            for (int l : fila.practicas)
                debe = debe || l == n;
            EXPECT_EQ(std::strchr(practica(n), fila.letra) != nullptr, debe)
                << n << " " << (int)(unsigned char)fila.letra;
        }
    for (int n = 1; n <= NUMERO_LECCIONES; ++n)
        EXPECT_EQ(std::strchr(introduccion(n), '\277') != nullptr,
                  n == 10 || n == 11 || n == 14) << n;
}

TEST(LeccionElegida, FueraDe2a20EsLaPrimera) {
    for (int n : {1, 0, -1, 21, 1000})
        EXPECT_EQ(&leccion_elegida(n), &lecciones[0]) << n;
    EXPECT_EQ(&leccion_elegida(2), &lecciones[1]);
    EXPECT_EQ(&leccion_elegida(20), &lecciones[19]);
}

// At the size the window is created with, each introduction shows whole on
// its first screen, the closing line that names the key c included.
TEST_F(Ventana, CadaIntroduccionCabeEnElPanelSinDesplazarla) {
    RECT cliente;
    GetClientRect(panel_leccion, &cliente);
    for (int n = 1; n <= NUMERO_LECCIONES; ++n) {
        SCOPED_TRACE(testing::Message() << "leccion " << n);
        SendMessageA(ventana, WM_COMMAND, 0, (LPARAM)botones_leccion[n - 1]);
        ASSERT_EQ(SendMessageA(panel_leccion, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
        int lineas = (int)SendMessageA(panel_leccion, EM_GETLINECOUNT, 0, 0);
        ASSERT_GE(lineas, 2);
        POINTL ultima, penultima;
        SendMessageA(panel_leccion, EM_POSFROMCHAR, (WPARAM)&ultima,
                     SendMessageA(panel_leccion, EM_LINEINDEX, lineas - 1, 0));
        SendMessageA(panel_leccion, EM_POSFROMCHAR, (WPARAM)&penultima,
                     SendMessageA(panel_leccion, EM_LINEINDEX, lineas - 2, 0));
        int alto_linea = ultima.y - penultima.y;
        EXPECT_GT(alto_linea, 0);
        EXPECT_LE(ultima.y + alto_linea, cliente.bottom);
    }
}
