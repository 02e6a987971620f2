// A melody of packets (a bend, a note on with a two-byte delta, a note off on
// the first channel) after a Set Tempo, about `size` bytes in all: the file
// the MIDI core's benchmarks time, made the same way.
export function packetFile(size) {
  const bytes = new Uint8Array(Math.max(size, 64));
  bytes.set([0x4d, 0x54, 0x68, 0x64, 0, 0, 0, 6, 0, 0, 0, 1, 0x03, 0xe8, 0x4d, 0x54, 0x72, 0x6b, 0, 0,
    0, 0, 0x00, 0xff, 0x51, 0x03, 0x07, 0xa1, 0x20, 0x00]);
  let length = 30;
  let pitch = 60;
  while (length + 16 < size) {
    bytes.set([0xe0, length & 0x7f, 0x41, 0x00, 0x90, pitch, 0x64, 0x83, 0x60, 0x80, pitch, 0x40, 0x00], length);
    length += 13;
    pitch = 48 + ((pitch + 7) % 36);
  }
  bytes.set([0xff, 0x2f, 0x00], length);
  length += 3;
  const track = length - 22;
  for (let k = 0; k < 4; ++k) bytes[18 + k] = (track >>> (24 - 8 * k)) & 0xff;
  return Buffer.from(bytes.buffer, 0, length);
}
