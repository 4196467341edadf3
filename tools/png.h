// A PNG writer for the drawing tool: 8-bit RGBA, compressed with a small
// deflate (one greedy LZ77 pass and the fixed Huffman code), so that the
// committed desktop icons stay small without a zlib to build against.
#ifndef PULSAFINA_PNG_H
#define PULSAFINA_PNG_H

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace png {

class Bits {
public:
    std::vector<uint8_t> bytes;
    void poner(unsigned valor, int n) {  // least significant bit first
        for (int i = 0; i < n; ++i) {
            if (usados == 0) bytes.push_back(0);
            bytes.back() |= uint8_t(((valor >> i) & 1) << usados);
            usados = (usados + 1) % 8;
        }
    }
    void poner_codigo(unsigned codigo, int n) {  // Huffman codes go most significant bit first
        for (int i = n - 1; i >= 0; --i) poner((codigo >> i) & 1, 1);
    }

private:
    int usados = 0;
};

// The fixed literal/length code of RFC 1951, 3.2.6.
inline void literal(Bits& b, unsigned v) {
    if (v < 144) b.poner_codigo(0x30 + v, 8);
    else if (v < 256) b.poner_codigo(0x190 + v - 144, 9);
    else if (v < 280) b.poner_codigo(v - 256, 7);
    else b.poner_codigo(0xC0 + v - 280, 8);
}

const unsigned BASE_LARGO[29] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27, 31,
                                 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const int EXTRA_LARGO[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const unsigned BASE_DISTANCIA[30] = {1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129, 193,
                                     257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const int EXTRA_DISTANCIA[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

inline void copia(Bits& b, unsigned largo, unsigned distancia) {
    int i = 28;
    while (BASE_LARGO[i] > largo) --i;
    literal(b, 257 + unsigned(i));
    b.poner(largo - BASE_LARGO[i], EXTRA_LARGO[i]);
    int j = 29;
    while (BASE_DISTANCIA[j] > distancia) --j;
    b.poner_codigo(unsigned(j), 5);
    b.poner(distancia - BASE_DISTANCIA[j], EXTRA_DISTANCIA[j]);
}

inline uint32_t adler32(const std::vector<uint8_t>& d) {
    uint32_t a = 1, s = 0;
    for (uint8_t c : d) a = (a + c) % 65521, s = (s + a) % 65521;
    return s << 16 | a;
}

inline std::vector<uint8_t> zlib(const std::vector<uint8_t>& d) {
    const unsigned VENTANA = 32768, MAXIMO = 258;
    Bits b;
    b.bytes = {0x78, 0x01};
    b.poner(1, 1);  // the last block
    b.poner(1, 2);  // fixed Huffman codes
    std::vector<int> ultimo(1 << 16, -1);
    auto clave = [&](size_t i) { return (d[i] * 251u + d[i + 1] * 31u + d[i + 2]) & 0xFFFF; };
    for (size_t i = 0; i < d.size();) {
        unsigned largo = 0, distancia = 0;
        if (i + 3 <= d.size()) {
            int previo = ultimo[clave(i)];
            ultimo[clave(i)] = int(i);
            if (previo >= 0 && i - size_t(previo) <= VENTANA) {
                while (largo < MAXIMO && i + largo < d.size() && d[size_t(previo) + largo] == d[i + largo]) ++largo;
                distancia = unsigned(i - size_t(previo));
            }
        }
        if (largo >= 3) {
            copia(b, largo, distancia);
            for (size_t k = i + 1; k < i + largo && k + 3 <= d.size(); ++k) ultimo[clave(k)] = int(k);
            i += largo;
        } else {
            literal(b, d[i]);
            ++i;
        }
    }
    literal(b, 256);
    uint32_t a = adler32(d);
    for (int k = 3; k >= 0; --k) b.bytes.push_back(uint8_t(a >> (8 * k)));
    return b.bytes;
}

inline uint32_t crc32(const uint8_t* p, size_t n) {
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
    }
    return ~c;
}

inline void trozo(std::vector<uint8_t>& f, const char* tipo, const std::vector<uint8_t>& datos) {
    auto poner32 = [&](uint32_t v) {
        for (int k = 3; k >= 0; --k) f.push_back(uint8_t(v >> (8 * k)));
    };
    poner32(uint32_t(datos.size()));
    size_t desde = f.size();
    f.insert(f.end(), tipo, tipo + 4);
    f.insert(f.end(), datos.begin(), datos.end());
    poner32(crc32(f.data() + desde, f.size() - desde));
}

// rgba: ancho x alto pixels, top row first, 4 bytes each.
inline bool guardar_png(const std::string& ruta, int ancho, int alto, const std::vector<uint8_t>& rgba) {
    std::vector<uint8_t> filas;
    for (int y = 0; y < alto; ++y) {
        filas.push_back(0);  // no filter
        filas.insert(filas.end(), rgba.begin() + size_t(y) * ancho * 4, rgba.begin() + size_t(y + 1) * ancho * 4);
    }
    std::vector<uint8_t> f = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> cabecera;
    for (uint32_t v : {uint32_t(ancho), uint32_t(alto)})
        for (int k = 3; k >= 0; --k) cabecera.push_back(uint8_t(v >> (8 * k)));
    cabecera.insert(cabecera.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace
    trozo(f, "IHDR", cabecera);
    trozo(f, "IDAT", zlib(filas));
    trozo(f, "IEND", {});
    FILE* archivo = std::fopen(ruta.c_str(), "wb");
    if (!archivo) return false;
    bool bien = std::fwrite(f.data(), 1, f.size(), archivo) == f.size();
    return std::fclose(archivo) == 0 && bien;
}

}  // namespace png

#endif
