#include "display/win32/KeyTable.h"

namespace {

struct KeyException {
    int virtualKey;
    std::int32_t keyCode;
};

constexpr KeyException exceptions[] = {
    {13, 10},    // Enter
    {45, 155},   // Insert
    {46, 127},   // Delete
    {186, 59},   // semicolon
    {187, 61},   // equals
    {188, 44},   // comma
    {189, 108},  // minus
    {190, 46},   // period
    {191, 47},   // slash
    {219, 91},   // left bracket
    {220, 92},   // backslash
    {221, 93},   // right bracket
};

}  // namespace

void fillKeyTable(std::int32_t (&table)[256])
{
    for (int k = 0; k < 256; ++k) {
        table[k] = k;
    }
    for (const KeyException& e : exceptions) {
        table[e.virtualKey] = e.keyCode;
    }
}
