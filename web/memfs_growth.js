// Added to each module after Emscripten's own code. A report runs to tens of
// megabytes written a chunk at a time, and the in-memory file system grows a
// file past 1 MB by an eighth at a time, copying it whole at each step: to TXT
// of a 1 MB file spent most of its time there. Doubling keeps the copying in
// proportion to the file.
MEMFS.expandFileStorage = function (node, newCapacity) {
  const previous = node.contents ? node.contents.length : 0;
  if (previous >= newCapacity) return;
  newCapacity = Math.max(newCapacity, previous * 2, 256);
  const old = node.contents;
  node.contents = new Uint8Array(newCapacity);
  if (node.usedBytes > 0) node.contents.set(old.subarray(0, node.usedBytes), 0);
};
