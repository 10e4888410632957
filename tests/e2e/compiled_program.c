/* A small real program for every shipped model: it shows a pattern kept in
   EEPROM on port B, so that both memories carry compiled data. */
#include <avr/eeprom.h>
#include <avr/io.h>
#include <util/delay.h>

static uint8_t EEMEM pattern[16] = {1,    2, 4,    8,    16,   32,   64,   128,
                                    0xFF, 0, 0x55, 0xAA, 0x0F, 0xF0, 0x3C, 0xC3};

int main(void) {
    DDRB = 0xFF;
    for (uint8_t i = 0;; i = (uint8_t)((i + 1) % sizeof pattern)) {
        PORTB = eeprom_read_byte(&pattern[i]);
        _delay_ms(250);
    }
}
