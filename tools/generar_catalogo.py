#!/usr/bin/env python3
"""Writes lessons/catalogo.cpp, the course's twenty lessons, from the readable
texts below.

The texts live here in UTF-8 so that they can be read and corrected; the
program needs them as Windows-1252 bytes inside C++ string literals, which is
what this script produces.  Before writing anything it checks every length and
character count that the rest of the program and the lesson design rely on, so
a slip in an edited text stops the script instead of reaching the course.

Run from anywhere:  python3 tools/generar_catalogo.py
The output depends only on this file: running it twice gives the same bytes.
"""

import collections
import os
import sys

CIERRE = "\n\nPulsa la tecla c para continuar."
ANIMO = "\n\nAnimo y suerte."

INTRODUCCIONES = [
    # 1
    "Lección 1: fila central, mano izquierda.\n"
    "\n"
    "Coloca la mano izquierda en la fila central: meñique\n"
    "en la a, anular en la s, corazón en la d e índice en\n"
    "la f. El pulgar izquierdo no se usa en esta práctica.\n"
    "\n"
    "La g también se pulsa con el índice: desplázalo hasta\n"
    "ella y, tras cada pulsación, devuélvelo a la f.\n"
    "\n"
    "La barra espaciadora se pulsa con el pulgar de la mano\n"
    "contraria a la que ha escrito la última letra; en esta\n"
    "lección, siempre con el pulgar derecho.\n"
    "\n"
    "Mira la pantalla y no el teclado. Si te equivocas, no\n"
    "te detengas: sigue con la letra siguiente."
    + CIERRE,
    # 2
    "Lección 2: fila central, mano derecha.\n"
    "\n"
    "Pon ahora la mano derecha en la fila central: meñique\n"
    "en la ñ, anular en la l, corazón en la k e índice en\n"
    "la j. El pulgar derecho no se usa en esta práctica.\n"
    "\n"
    "La h se pulsa con el índice derecho: desplázalo hasta\n"
    "ella y, tras cada pulsación, devuélvelo a la j.\n"
    "\n"
    "Recuerda: el espacio se pulsa con el pulgar de la mano\n"
    "contraria; en esta lección, con el pulgar izquierdo.\n"
    "\n"
    "No mires el teclado aunque al principio te cueste: es\n"
    "la única manera de que los dedos aprendan el camino."
    + CIERRE,
    # 3
    "Lección 3: fila central, las dos manos.\n"
    "\n"
    "Coloca las manos como has aprendido: la izquierda\n"
    "sobre a, s, d y f, y la derecha sobre ñ, l, k y j.\n"
    "\n"
    "Después de una g, el espacio se pulsa con el pulgar\n"
    "derecho; después de una h, con el pulgar izquierdo.\n"
    "\n"
    "Mantén un ritmo constante: mejor despacio y seguido\n"
    "que deprisa y a trompicones.\n"
    "\n"
    "Sabemos que estos ejercicios son algo repetitivos,\n"
    "pero son la base de todo lo demás. Cuando conozcas el\n"
    "teclado entero, las prácticas serán mucho más amenas."
    + CIERRE,
    # 4
    "Lección 4: fila superior, mano izquierda.\n"
    "\n"
    "Ahora aprenderás la fila superior. Parte siempre de la\n"
    "fila central: cada dedo sube a su tecla y vuelve a su\n"
    "posición de reposo en cuanto la ha pulsado.\n"
    "\n"
    "El meñique pulsa la q, el anular la w, el corazón\n"
    "la e y el índice la r y la t. Después de la t, el\n"
    "índice vuelve a la f, como hacía con la g.\n"
    "\n"
    "Mueve solo el dedo que pulsa: el resto de la mano se\n"
    "queda quieto sobre la fila central."
    + ANIMO + CIERRE,
    # 5
    "Lección 5: fila superior, mano derecha.\n"
    "\n"
    "Igual que en la lección anterior, pero con la mano\n"
    "derecha. Cada dedo sube desde la fila central a su\n"
    "tecla y vuelve a su posición de reposo.\n"
    "\n"
    "El meñique pulsa la p, el anular la o, el corazón\n"
    "la i y el índice la u y la y. Después de la y, el\n"
    "índice vuelve a la j, como hacía con la h.\n"
    "\n"
    "Mueve solo el dedo que pulsa: el resto de la mano se\n"
    "queda quieto sobre la fila central."
    + ANIMO + CIERRE,
    # 6
    "Lección 6: fila superior, las dos manos.\n"
    "\n"
    "Demuestra que ya conoces la fila superior: esta\n"
    "práctica une los ejercicios de las dos lecciones\n"
    "anteriores."
    + CIERRE,
    # 7
    "Lección 7: fila inferior, mano izquierda.\n"
    "\n"
    "Como en la fila superior, cada dedo baja desde la\n"
    "fila central a su tecla y vuelve a su posición de\n"
    "reposo en cuanto la ha pulsado.\n"
    "\n"
    "El meñique pulsa la z, el anular la x, el corazón\n"
    "la c y el índice la v y la b. Después de la b, el\n"
    "índice vuelve a la f.\n"
    "\n"
    "Recuerda: las manos descansan siempre en la fila\n"
    "central y vuelven a ella tras cada pulsación. Si las\n"
    "bajas a la fila inferior, perderás la referencia."
    + ANIMO + CIERRE,
    # 8
    "Lección 8: fila inferior, mano derecha.\n"
    "\n"
    "Lo mismo que en la lección anterior, ahora con la\n"
    "mano derecha. Cada dedo baja desde la fila central a\n"
    "su tecla y vuelve a su posición de reposo.\n"
    "\n"
    "El anular pulsa el punto, el corazón la coma y el\n"
    "índice la m y la n. El meñique no se usa en esta\n"
    "práctica: en esta fila le toca la tecla del guion.\n"
    "\n"
    "Recuerda que las manos descansan siempre sobre la fila\n"
    "central: el punto y la coma se pulsan sin mirar y sin\n"
    "levantar la mano."
    + ANIMO + CIERRE,
    # 9
    "Lección 9: fila inferior, las dos manos.\n"
    "\n"
    "Demuestra que ya conoces la fila inferior: esta\n"
    "práctica une los ejercicios de las dos lecciones\n"
    "anteriores."
    + CIERRE,
    # 10
    "Lección 10: el abecedario.\n"
    "\n"
    "Ya conoces todas las letras. ¿Te atreves a escribir\n"
    "el abecedario entero? No te olvides de que la ñ\n"
    "también forma parte del abecedario español."
    + CIERRE,
    # 11
    "Lección 11: palabras.\n"
    "\n"
    "Enhorabuena, ya casi sabes escribir al tacto.\n"
    "¿Listo para el siguiente paso? Ahora escribirás\n"
    "palabras completas."
    + CIERRE,
    # 12
    "Lección 12: mayúsculas.\n"
    "\n"
    "Con esta lección empiezan las teclas que aún no\n"
    "conoces: primero las mayúsculas y después los acentos.\n"
    "\n"
    "Para escribir una mayúscula, el meñique de la mano\n"
    "contraria a la que escribe la letra mantiene pulsada\n"
    "la tecla de mayúsculas mientras se pulsa la letra.\n"
    "\n"
    "Por ejemplo, para escribir una A, el meñique derecho\n"
    "mantiene pulsada la tecla de mayúsculas mientras la\n"
    "mano izquierda escribe la a. Para una J, al revés.\n"
    "\n"
    "Es normal ir más despacio al principio. Fíjate bien:\n"
    "las mayúsculas pueden ir en cualquier posición."
    + CIERRE,
    # 13
    "Lección 13: el acento.\n"
    "\n"
    "La tecla del acento se pulsa con el meñique derecho,\n"
    "como cualquier otra tecla, y después el dedo vuelve\n"
    "a su posición en la fila central. Primero se pulsa el\n"
    "acento y después la vocal.\n"
    "\n"
    "En el teclado español la tecla del acento está justo\n"
    "a la derecha de la ñ."
    + CIERRE,
    # 14
    "Lección 14: un texto de verdad.\n"
    "\n"
    "Llega una prueba con un texto que tiene sentido. Es\n"
    "el momento de demostrar todo lo que has aprendido.\n"
    "¿Preparado? Suerte."
    + CIERRE,
    # 15
    "Lección 15: fila de los números, mano izquierda.\n"
    "\n"
    "Los números están en la fila justo encima de las\n"
    "letras y se aprenden como ellas: primero la mano\n"
    "izquierda, luego la derecha y al final las dos.\n"
    "\n"
    "Cada dedo sube dos filas hasta su número y vuelve a\n"
    "su sitio: el meñique pulsa el 1, el anular el 2, el\n"
    "corazón el 3 y el índice el 4, el 5 y el 6.\n"
    "\n"
    "El camino es más largo que en las letras, así que no\n"
    "tengas prisa: al principio es normal fallar más."
    "\n\nSuerte."
    + CIERRE,
    # 16
    "Lección 16: fila de los números, mano derecha.\n"
    "\n"
    "Ahora la mano derecha. El meñique no se usa en esta\n"
    "práctica; el anular pulsa el 0, el corazón el 9 y el\n"
    "índice el 8 y el 7. Como siempre, cada dedo vuelve a\n"
    "la fila central después de pulsar su tecla."
    "\n\nSuerte."
    + CIERRE,
    # 17
    "Lección 17: fila de los números, las dos manos.\n"
    "\n"
    "Demuestra que ya conoces la fila de los números: esta\n"
    "práctica mezcla las dos lecciones anteriores."
    + CIERRE,
    # 18
    "Lección 18: números y caracteres especiales.\n"
    "\n"
    "Ahora escribirás fechas y números con sentido. Los\n"
    "caracteres especiales se escriben igual que los\n"
    "números, pero con la tecla de mayúsculas pulsada,\n"
    "como las letras mayúsculas.\n"
    "\n"
    "Por ejemplo, el signo $ está en la tecla del 4: el\n"
    "meñique derecho mantiene pulsada la tecla de\n"
    "mayúsculas y el índice izquierdo pulsa el 4.\n"
    "\n"
    "Inténtelo."
    + CIERRE,
    # 19
    "Lección 19: más texto.\n"
    "\n"
    "Ya conoces casi todo el teclado. Esta lección y la\n"
    "siguiente repasan las teclas que has aprendido\n"
    "escribiendo textos."
    + CIERRE,
    # 20
    "Lección 20: la última lección.\n"
    "\n"
    "Vas por buen camino y pronto serás un buen\n"
    "mecanógrafo. Ya solo te queda esta lección.\n"
    "\n"
    "Animo que es la última."
    + CIERRE,
]

# Lengths of the introductions as the course was first written. They were
# shortened to fit the lesson pane, but none may lose most of its content.
LARGO_INTRODUCCION = [914, 912, 695, 461, 457, 225, 536, 525, 225, 191,
                      153, 755, 355, 214, 593, 316, 188, 368, 176, 174]

# The lesson pane at the window's start-up size shows 18 lines of about 56
# characters in its default font; one line is kept in hand for a taller font.
# An introduction shows whole on its first screen, so that the closing line
# that names the key c is seen without scrolling.
LINEAS_INTRODUCCION = 17
ANCHO_LINEA = 54

# Words that, at the end of a line, leave the letter they name alone at the
# start of the next one, where "e" or "y" reads as a conjunction.
ARTICULOS = ("la", "el", "del", "una", "un")


def ejercicio(*unidades, veces):
    """The units in turn, the whole round repeated, single spaces between."""
    return " ".join(list(unidades) * veces)


def grupos(*palabras_y_veces):
    return " ".join(p for p, n in palabras_y_veces for _ in range(n))


PALABRAS_11 = ["hola", "uno", "tiempo", "bicho", "internet", "casa", "moto",
               "azul", "niño", "huerto", "web", "boa", "error", "punto",
               "hidra", "todo", "yelmo", "araña", "hidalgo", "etc...",
               "quinto"]

GRUPOS_12 = [("Tierra", 4), ("Hipótesis", 2), ("HipóTesis", 2),
             ("AnteMano", 4), ("Sal", 4), ("hiStoRia", 4), ("OleO", 4),
             ("caMINo", 2), ("caMINO", 2), ("ESTRELLA", 4), ("uVa", 4),
             ("SorDo", 4), ("MAr", 4), ("Quinto", 4), ("PRoSA", 4),
             ("CarComa", 4), ("MaYor", 4)]

PALABRAS_13 = ["Camión", "Almogía", "rápido", "María", "programación",
               "bolígrafo", "antes", "DíA", "ratón", "viva", "AlTo",
               "pluTón"]

TEXTO_14 = (
    "Hasta ahora hemos escrito simplemente palabras, sin embargo, en la vida "
    "real lo que debemos escribir es texto. Ese texto lleva mayúsculas, "
    "acentos y signos de puntuación, como una carta a un amigo de Madrid; "
    "hacerlo no es más difícil que escribir palabras sueltas. Cada tecla "
    "tiene su dedo y tus manos ya lo saben. Lo que cuenta es la práctica, así "
    "que escribe con calma y sin prisa. No persigas la velocidad y escribe un "
    "poco cada día. Dentro de poco llegan los números y los caracteres "
    "especiales, temas de las próximas lecciones.")

TEXTO_18 = (
    "1981 1365 3865 3829 4564 1247 3574 3495 69789 434 465 $·236 &$3456 3456 "
    "() (uno) ! tambien 64 uno dos tres 4 5 6 siete dolares $$$$$$$ mil "
    "quinientos 23 3463 8768 0000 UnBerto más % &/(% (2365) isla 535 938439 "
    "4583743 4565443 mal 343 986 775 666 bien el número de la suerte 13 por "
    "7 = 28 y un bizcocho, nos vemos en los bares del 1843.")

TEXTO_19 = (
    "Pedro nació en 1980 y a los 13 años aún no sabía jugar a las cartas, "
    "aunque su padre (el número 1 de Soria) era un gran jugador. Estaba una "
    "tarde con un solitario cuando su padre le dijo que eso no era jugar, que "
    "las cartas se jugaban en grupo. Entonces Pedro, muy serio, contestó que "
    "el solitario también era divertido y además gratis. ¡Ni hablar!, exclamó "
    "su padre, y pasaron esa tarde discutiendo, sin dar su brazo a torcer. "
    "Quedaron en jugar al mus el sábado, aunque ninguno estaba seguro de "
    "tener razón.")

TEXTO_20 = (
    "Enhora buena, estas a punto de acabar este curso en 20 lecciones. A "
    "estas alturas tienes las bases necesarias y conoces perfectamente el "
    "sitio de cada tecla. Aún te queda mucho por practicar y todo depende "
    "solo de ti y del esfuerzo que dediques cada día a escribir sin mirar el "
    "teclado. Mejorarás mucho y escribirás más rápido y también con menos "
    "fallos cuanto más practiques. Sigue así y enseguida vas a ser un "
    "excelente mecanógrafo ;).")

PRACTICAS = [
    ejercicio("asdfg", veces=77),
    ejercicio("ñlkjh", veces=98),
    ejercicio("asdfg", "ñlkjh", veces=48),
    ejercicio("qwert", veces=84),
    ejercicio("poiuy", veces=84),
    ejercicio("qwert", "poiuy", veces=42),
    ejercicio("zxcvb", veces=84),
    ejercicio(".,mn", veces=90),
    ejercicio("zxcvb", ".,mnn", veces=42),
    ejercicio("abcdefghijklmnñopqrstuvwyxz", veces=18),
    grupos(*[(p, 4) for p in PALABRAS_11]),
    grupos(*GRUPOS_12),
    grupos(*[(p, 4) for p in PALABRAS_13]),
    TEXTO_14,
    ejercicio("123456", veces=56),
    ejercicio("0987", veces=84),
    ejercicio("123456", "0987", veces=40),
    TEXTO_18,
    TEXTO_19,
    TEXTO_20,
]

# --------------------------------------------------------------------------
# Checks.  Lengths are in Windows-1252 bytes, which is what the pane counts.

LARGO_PRACTICA = [461, 587, 575, 503, 503, 503, 503, 449, 503, 503,
                  491, 403, 335, 532, 391, 419, 479, 335, 508, 437]

# Which practice texts may, and must, hold each character beyond ASCII.
FUERA_DE_ASCII = {
    "á": {13, 14, 18, 19, 20},
    "é": {19, 20},
    "í": {13, 14, 19, 20},
    "ó": {12, 13, 14, 19, 20},
    "ú": {14, 18, 19, 20},
    "ñ": {2, 3, 10, 11, 19},
    "¡": {19},
    "·": {18},
}

MINUSCULAS = set("abcdefghijklmnopqrstuvwxyz")

# Running texts: length, words, first sentence, and every character other
# than a-z and space with its exact count.
TEXTOS_SEGUIDOS = {
    14: (532, 94,
         "Hasta ahora hemos escrito simplemente palabras, sin embargo, en la "
         "vida real lo que debemos escribir es texto.",
         dict(C=1, D=1, E=1, H=1, L=1, M=1, N=1,
              **{"á": 2, "í": 3, "ó": 2, "ú": 2, ",": 6, ".": 6, ";": 1})),
    19: (508, 95, None,
         dict(E=2, N=1, P=2, Q=1, S=1,
              **{"á": 2, "é": 1, "í": 1, "ó": 4, "ú": 2, "ñ": 1, "¡": 1,
                 "!": 1, "(": 1, ")": 1, ",": 8, ".": 5,
                 "1": 3, "9": 1, "8": 1, "0": 1, "3": 1})),
    20: (437, 77,
         "Enhora buena, estas a punto de acabar este curso en 20 lecciones.",
         dict(A=2, E=1, M=1, S=1,
              **{"á": 5, "é": 1, "í": 2, "ó": 1, "ú": 1, "2": 1, "0": 1,
                 ",": 1, ".": 5, ";": 1, ")": 1})),
}


def otros(texto):
    return collections.Counter(c for c in texto
                               if c not in MINUSCULAS and c != " ")


def comprobar():
    assert len(INTRODUCCIONES) == 20 and len(PRACTICAS) == 20

    for n, (intro, largo) in enumerate(zip(INTRODUCCIONES,
                                           LARGO_INTRODUCCION), 1):
        b = intro.encode("cp1252")
        assert b.endswith(CIERRE.encode()), n
        assert CIERRE not in intro[:-len(CIERRE)], n
        assert "\r" not in intro and "\t" not in intro, n
        assert "\n\n\n" not in intro and not intro.startswith("\n"), n
        assert all(not linea.endswith(" ") and not linea.startswith(" ")
                   for linea in intro.split("\n")), n
        permitidos = set("áéíóúñ") | ({"¿"} if n in (10, 11, 14) else set())
        for c in intro:
            assert ord(c) < 0x80 or c in permitidos, (n, c)
            assert c.isprintable() or c == "\n", (n, repr(c))
        assert ("¿" in intro) == (n in (10, 11, 14)), n
        assert intro.count("¿") == intro.count("?"), n
        assert 0.6 * largo <= len(b) <= 1.25 * largo, (n, len(b), largo)
        lineas = intro.split("\n")
        assert len(lineas) <= LINEAS_INTRODUCCION, (n, len(lineas))
        for linea, siguiente in zip(lineas, lineas[1:] + [""]):
            assert len(linea) <= ANCHO_LINEA, (n, linea)
            primera = siguiente.split(" ")[0].rstrip(".,;:")
            assert not (linea.split(" ")[-1] in ARTICULOS and
                        len(primera) == 1), (n, linea, siguiente)
        if n in (4, 5, 7, 8):
            assert "\n\nAnimo y suerte.\n\n" in intro, n
        if n in (15, 16):
            assert "\n\nSuerte.\n\n" in intro, n
        if n == 14:
            assert " Suerte." + CIERRE in intro
        if n == 18:
            assert "\nInténtelo." + CIERRE in intro
        if n == 20:
            assert "\nAnimo que es la última." + CIERRE in intro

    for n, (texto, largo) in enumerate(zip(PRACTICAS, LARGO_PRACTICA), 1):
        b = texto.encode("cp1252")
        assert len(b) == largo, (n, len(b), largo)
        assert 335 <= len(b) <= 999, n
        assert not texto.startswith(" ") and not texto.endswith(" "), n
        assert "  " not in texto, n
        assert not set(texto) & set("\r\n\t"), n
        for c, lecciones in FUERA_DE_ASCII.items():
            assert (c in texto) == (n in lecciones), (n, c)
        assert all(ord(c) < 0x80 or c in FUERA_DE_ASCII for c in texto), n

    p = PRACTICAS
    assert p[9].split(" ")[0] == "abcdefghijklmnñopqrstuvwyxz"
    assert len(p[9].split(" ")[0]) == 27 and p[9].endswith("wyxz")
    assert p[8].split(" ")[1] == ".,mnn" and p[8].endswith(".,mnn")
    assert p[2].endswith("ñlkjh") and p[5].endswith("poiuy")
    assert p[16].endswith("0987")
    assert len(p[10].split(" ")) == 84 and p[10].count("etc...") == 4
    assert len(p[11].split(" ")) == 60 and len(p[12].split(" ")) == 48
    assert " Hipótesis Hipótesis HipóTesis HipóTesis " in p[11]
    assert " caMINo caMINo caMINO caMINO " in p[11]

    t18 = p[17]
    cuenta = collections.Counter(t18)
    assert len(t18.split(" ")) == 70
    assert sum(c.isdigit() for c in t18) == 121
    assert (cuenta["$"], cuenta["("], cuenta[")"], cuenta["%"],
            cuenta["&"]) == (9, 4, 3, 2, 2)
    for c in "·!/=,.áú":
        assert cuenta[c] == 1, c
    assert [c for c in t18 if c.isupper()] == ["U", "B"]
    assert not set(t18) - MINUSCULAS - set(" 0123456789$()%&·!/=,.áúUB")

    for n, (largo, palabras, primera, clases) in TEXTOS_SEGUIDOS.items():
        texto = p[n - 1]
        assert len(texto.encode("cp1252")) == largo, n
        assert len(texto.split(" ")) == palabras, (n, len(texto.split(" ")))
        assert primera is None or texto.startswith(primera + " "), n
        assert otros(texto) == collections.Counter(clases), \
            (n, otros(texto) - collections.Counter(clases),
             collections.Counter(clases) - otros(texto))
    assert p[18].startswith("Pedro nació en 1980 y a los 13 años ")
    assert p[18].index(")") < p[18].index(".")
    assert p[19].endswith(" ;).")

    for texto in INTRODUCCIONES + PRACTICAS:
        assert "??" not in texto   # would read as a trigraph in older C++


# --------------------------------------------------------------------------
# Output.

def literal(texto, ancho_maximo):
    """Windows-1252 bytes as C++ string pieces, each ending at a line break
    of the text or at the first space past ancho_maximo columns."""
    piezas, actual, ancho = [], [], 0
    for byte in texto.encode("cp1252"):
        if byte >= 0x80:
            trozo = "\\%03o" % byte
        elif byte == 0x0A:
            trozo = "\\n"
        elif chr(byte) in "\"\\":
            trozo = "\\" + chr(byte)
        else:
            assert 0x20 <= byte < 0x7F
            trozo = chr(byte)
        actual.append(trozo)
        ancho += len(trozo)
        if byte == 0x0A or (byte == 0x20 and ancho >= ancho_maximo):
            piezas.append("".join(actual))
            actual, ancho = [], 0
    if actual:
        piezas.append("".join(actual))
    return piezas


def fuente():
    lineas = [
        "// Generated by tools/generar_catalogo.py: edit the texts there and",
        "// run python3 tools/generar_catalogo.py instead of editing this file.",
        "// The texts are Windows-1252: every byte above 0x7F is written as "
        "an octal",
        "// escape, which never takes in the letter that follows it.",
        '#include "lessons/lecciones.h"',
        "",
        "const Leccion lecciones[NUMERO_LECCIONES] = {",
    ]
    for n, (intro, practica) in enumerate(zip(INTRODUCCIONES, PRACTICAS), 1):
        lineas.append("    {%d," % n)
        # An introduction keeps its own lines; a practice is one long line.
        for texto, ancho, fin in ((intro, 80, ","), (practica, 56, "},")):
            piezas = literal(texto, ancho)
            for i, pieza in enumerate(piezas):
                cola = fin if i == len(piezas) - 1 else ""
                lineas.append('        "%s"%s' % (pieza, cola))
    lineas.append("};")
    return "\n".join(lineas) + "\n"


def main():
    comprobar()
    raiz = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    destino = os.path.join(raiz, "lessons", "catalogo.cpp")
    with open(destino, "w", encoding="ascii", newline="\n") as f:
        f.write(fuente())
    for n, intro in enumerate(INTRODUCCIONES, 1):
        print("leccion %2d: introduccion %3d, practica %3d" % (
            n, len(intro.encode("cp1252")),
            len(PRACTICAS[n - 1].encode("cp1252"))), file=sys.stderr)


if __name__ == "__main__":
    main()
