// Toggles every pin of port B with a pause: code, a vector table, a little
// initialised data and a table in program memory.
#include <avr/io.h>
#include <avr/pgmspace.h>
#include <util/delay.h>

static const uint8_t pattern[] PROGMEM = {0x01, 0x03, 0x07, 0x0F, 0x1F, 0x3F, 0x7F, 0xFF,
                                          0x7E, 0x3C, 0x18, 0x00, 0xA5, 0x5A, 0xC3, 0x3C};

static volatile uint8_t steps = 3;

int main(void) {
    DDRB = 0xFF;
    for (uint8_t i = 0;; i = (uint8_t)((i + 1) % sizeof pattern)) {
        PORTB = pgm_read_byte(&pattern[i]);
        for (uint8_t n = 0; n < steps; ++n) {
            _delay_ms(50);
        }
    }
}
