// A program whose image reaches beyond 64 KB: two large tables in program
// memory ahead of the code, and a table of its own section placed high up by
// the linker, read with far addresses.
#include <avr/io.h>
#include <avr/pgmspace.h>

#define ROW(n) (uint8_t)(n), (uint8_t)((n) * 7), (uint8_t)((n) ^ 0x5A), (uint8_t)((n) + 0x80)
#define ROWS8(n) ROW(n), ROW(n + 1), ROW(n + 2), ROW(n + 3), ROW(n + 4), ROW(n + 5), ROW(n + 6), ROW(n + 7)
#define ROWS64(n) ROWS8(n), ROWS8(n + 8), ROWS8(n + 16), ROWS8(n + 24), ROWS8(n + 32), ROWS8(n + 40), ROWS8(n + 48), ROWS8(n + 56)
#define ROWS512(n) ROWS64(n), ROWS64(n + 64), ROWS64(n + 128), ROWS64(n + 192), ROWS64(n + 256), ROWS64(n + 320), ROWS64(n + 384), ROWS64(n + 448)
#define ROWS4096(n) ROWS512(n), ROWS512(n + 512), ROWS512(n + 1024), ROWS512(n + 1536), ROWS512(n + 2048), ROWS512(n + 2560), ROWS512(n + 3072), ROWS512(n + 3584)

// 16 KB each, within the largest object the compiler allows; together with
// the code they pass the 64 KB mark.
static const uint8_t table_0[] PROGMEM = {ROWS4096(0)};
static const uint8_t table_1[] PROGMEM = {ROWS4096(17)};
static const uint8_t table_2[] PROGMEM = {ROWS4096(250)};
static const uint8_t table_3[] PROGMEM = {ROWS4096(3)};

__attribute__((used, section(".fartable"))) static const uint8_t far_table[] = {
    ROWS512(3), ROWS512(1000), ROWS512(77)};

int main(void) {
    DDRB = 0xFF;
    uint16_t i = 0;
    for (;;) {
        PORTB = pgm_read_byte(&table_0[i]) ^ pgm_read_byte(&table_1[i]) ^
                pgm_read_byte(&table_2[i]) ^ pgm_read_byte(&table_3[i]);
        PORTB = pgm_read_byte_far(pgm_get_far_address(far_table) + (i % sizeof far_table));
        i = (uint16_t)((i + 1) % sizeof table_0);
    }
}
