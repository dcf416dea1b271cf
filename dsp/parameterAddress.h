// Writes and resolves the parameter addresses that the board sends to the
// engine. Only kAddressPrefix followed by 0..63 in decimal (no sign, no
// leading zero) names a parameter; anything else, a null pointer included,
// names none and must change nothing and print nothing.
#ifndef ZELQUOR_PARAMETER_ADDRESS_H
#define ZELQUOR_PARAMETER_ADDRESS_H

constexpr char kAddressPrefix[] = "/Canaux0/canal";
constexpr int kAddressSize = 32;

// Writes the prefix followed by the number into the buffer.
void formatAddress(char (&address)[kAddressSize], int number);

// The pad number named by the address, or -1.
int parameterNumberOf(const char* address);

// The engine's index of the parameter named by the address (its place in
// declaration order), or -1.
int parameterIndexOf(const char* address);

#endif
