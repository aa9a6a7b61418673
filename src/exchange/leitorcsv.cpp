#include "exchange/leitorcsv.h"

namespace pluvexa {

namespace {

bool fimDeLinha(char c)
{
    return c == '\n' || c == '\r';
}

}  // namespace

bool LeitorCsv::proxima(std::vector<std::string>& campos, int& linha, bool& aspasAbertas)
{
    campos.clear();
    aspasAbertas = false;
    m_larga = false;
    if (m_pos >= m_texto.size())
        return false;
    linha = m_linha;
    const std::size_t n = m_texto.size();
    std::string campo;
    bool entreAspas = false;
    bool citado = false;  // the field had its quotes already
    while (m_pos < n) {
        const char c = m_texto[m_pos];
        if (entreAspas) {
            if (c == '"') {
                if (m_pos + 1 < n && m_texto[m_pos + 1] == '"') {
                    campo += '"';
                    m_pos += 2;
                    continue;
                }
                entreAspas = false;
                citado = true;
            } else {
                // A line break inside quotes belongs to the field, as
                // written (CR LF stays CR LF), but still counts as a line.
                if (c == '\n' || (c == '\r' && (m_pos + 1 >= n || m_texto[m_pos + 1] != '\n')))
                    ++m_linha;
                campo += c;
            }
            ++m_pos;
            continue;
        }
        if (c == m_separador) {
            guarda(campos, campo);
            campo.clear();
            citado = false;
            ++m_pos;
            continue;
        }
        if (fimDeLinha(c)) {
            m_pos += (c == '\r' && m_pos + 1 < n && m_texto[m_pos + 1] == '\n') ? 2 : 1;
            ++m_linha;
            break;
        }
        if (c == '"' && !citado && campo.find_first_not_of(' ') == std::string::npos) {
            // Blanks before the opening quote (", " between fields) are no
            // part of the value.
            campo.clear();
            entreAspas = true;
        } else {
            campo += c;  // text after a closing quote is kept, as spreadsheet programs do
        }
        ++m_pos;
    }
    guarda(campos, campo);
    aspasAbertas = entreAspas;
    return true;
}

void LeitorCsv::guarda(std::vector<std::string>& campos, std::string& campo)
{
    if (campos.size() < kMaisColunasCsv)
        campos.push_back(std::move(campo));
    else
        m_larga = true;
}

char LeitorCsv::separadorDoCabecalho(std::string_view texto)
{
    // The header is the first row holding more than blanks and separators.
    int pontoEVirgula = 0, virgula = 0;
    bool entreAspas = false, temTexto = false;
    for (const char c : texto) {
        if (c == '"') {
            entreAspas = !entreAspas;
            temTexto = true;
        } else if (entreAspas) {
            continue;
        } else if (fimDeLinha(c)) {
            if (temTexto)
                break;
            pontoEVirgula = virgula = 0;
        } else if (c == ';') {
            ++pontoEVirgula;
        } else if (c == ',') {
            ++virgula;
        } else if (c != ' ' && c != '\t') {
            temTexto = true;
        }
    }
    return virgula > pontoEVirgula ? ',' : ';';
}

}  // namespace pluvexa
