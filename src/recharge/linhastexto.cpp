#include "recharge/linhastexto.h"

namespace pluvexa {

bool divideTexto(std::string_view texto, std::vector<Texto>& linhas)
{
    linhas.clear();
    const char* p = texto.data();
    const char* const fim = p + texto.size();
    while (p < fim) {
        // One pass over the bytes: where the line ends and whether it holds
        // anything.
        const char* q = p;
        bool emBranco = true;
        while (q < fim && *q != '\n' && *q != '\r') {
            emBranco = emBranco && static_cast<unsigned char>(*q) <= ' ';
            ++q;
        }
        if (!emBranco) {
            if (linhas.size() == kMaisLinhasTexto) {
                linhas.clear();
                linhas.shrink_to_fit();
                return false;
            }
            linhas.emplace_back(p, q);
        }
        if (q == fim)
            break;
        p = q + (*q == '\r' && q + 1 < fim && q[1] == '\n' ? 2 : 1);
    }
    return true;
}

}  // namespace pluvexa
