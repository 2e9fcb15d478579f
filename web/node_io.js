// The node ends of gongshang-batch.js: the machine's files and the process's
// standard input and output, for web/batch_main.cpp. An emscripten JS library
// (--js-library): each function is callable from C++ by its name.
mergeInto(LibraryManager.library, {
  // Mounts every top-level folder of the machine at its own name, so that a
  // path means what it means to the native program, and starts in node's
  // working folder. The module's own files (/gongshang-web) stay in memory.
  gongshang_node_mount__deps: ['$FS', '$NODEFS'],
  gongshang_node_mount: function() {
    var fs = require('fs');
    fs.readdirSync('/').forEach(function(name) {
      if (['dev', 'proc', 'sys', 'gongshang-web'].indexOf(name) >= 0) return;
      try {
        if (!fs.statSync('/' + name).isDirectory()) return;
      } catch (e) {
        return;
      }
      try {
        FS.mkdir('/' + name);
      } catch (e) {
        // there already, as /tmp and /home are
      }
      FS.mount(NODEFS, {root: '/' + name}, '/' + name);
    });
    FS.chdir(process.cwd());
  },

  gongshang_node_is_file: function(fd) {
    try {
      return require('fs').fstatSync(fd).isFile() ? 1 : 0;
    } catch (e) {
      return 0;
    }
  },

  // Bytes read (0 at the end), or minus the error number. position < 0 reads
  // on from where the descriptor stands. A descriptor left non-blocking that
  // has nothing yet is waited on a millisecond at a time.
  gongshang_node_read__deps: ['$ERRNO_CODES'],
  gongshang_node_read: function(fd, buffer, size, position) {
    for (;;) {
      try {
        return require('fs').readSync(fd, HEAPU8, buffer, size, position < 0 ? null : position);
      } catch (e) {
        if (e.code === 'EAGAIN') {
          Atomics.wait(new Int32Array(new SharedArrayBuffer(4)), 0, 0, 1);
          continue;
        }
        if (e.code === 'EOF') return 0;
        return -(ERRNO_CODES[e.code] || ERRNO_CODES.EIO);
      }
    }
  },

  // size once all is written, or minus the error number.
  gongshang_node_write__deps: ['$ERRNO_CODES'],
  gongshang_node_write: function(fd, data, size) {
    var done = 0;
    while (done < size) {
      try {
        done += require('fs').writeSync(fd, HEAPU8, data + done, size - done);
      } catch (e) {
        if (e.code === 'EAGAIN') {
          Atomics.wait(new Int32Array(new SharedArrayBuffer(4)), 0, 0, 1);
          continue;
        }
        return -(ERRNO_CODES[e.code] || ERRNO_CODES.EIO);
      }
    }
    return size;
  },
});
