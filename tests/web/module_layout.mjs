// The page's module as the linker laid out its memory: the stack first, below every data segment,
// so that a stack running past its bottom traps at address 0 instead of overwriting the data, and
// at least 256 KiB of it. The module is stripped: its stack pointer is its first mutable i32
// global, whose initial value is the top of the stack.
// usage: node module_layout.mjs MODULE.wasm
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';

const kLeastStack = 256 * 1024;
const bytes = readFileSync(process.argv[2]);
assert.equal(bytes.readUInt32LE(0), 0x6d736100, 'not a WebAssembly module');
let at = 8; // after the magic number and the version

const byte = () => {
  assert.ok(at < bytes.length, 'the module ends too early');
  return bytes[at++];
};
// LEB128: unsigned for counts and sizes, signed for i32.const.
const leb = (signed) => {
  let value = 0;
  let shift = 0;
  let b;
  do {
    b = byte();
    value += (b & 0x7f) * 2 ** shift;
    shift += 7;
  } while (b & 0x80);
  return signed && b & 0x40 ? value - 2 ** shift : value;
};
// A constant expression: i32.const, then end. Addresses are unsigned.
const address = () => {
  assert.equal(byte(), 0x41, 'an initialiser other than i32.const');
  const value = leb(true);
  assert.equal(byte(), 0x0b, 'an initialiser of more than one instruction');
  return value >>> 0;
};

let stackTop;
const segments = [];
while (at < bytes.length) {
  const id = byte();
  const end = leb(false) + at;
  if (id === 6) {
    for (let count = leb(false); count > 0; --count) {
      assert.equal(byte(), 0x7f, 'a global other than i32');
      const mutable = byte() === 1;
      const value = address();
      if (mutable && stackTop === undefined) stackTop = value;
    }
  } else if (id === 11) {
    for (let count = leb(false); count > 0; --count) {
      const flags = leb(false);
      assert.ok(flags === 0 || flags === 2, 'a data segment with no place in memory');
      if (flags === 2) leb(false);
      segments.push(address());
      const size = leb(false);
      at += size;
    }
  }
  at = end;
}

assert.ok(stackTop !== undefined, 'no stack pointer');
const lowest = Math.min(...segments);
console.log(`the stack's top: ${stackTop}; the lowest of ${segments.length} data segments: ` +
  `${lowest}`);
assert.ok(stackTop <= lowest, 'the stack lies above data: it grows down into it');
assert.ok(stackTop >= kLeastStack, `a stack of less than ${kLeastStack} bytes`);
