// Runs before the program: the end of the program, whatever ends it (exit,
// or a fault of the runtime), is shown in the page instead of the console
// alone; and the WebAssembly inside the page is compiled without a detour.
Module['quit'] = function (status, toThrow) {
  VeloranePage.end(status);
  throw toThrow;
};
Module['onAbort'] = function () {
  VeloranePage.end('abort');
  VeloranePage.say('messages.error');
};
// The WebAssembly (base64 in the page) is decoded and compiled as the script
// runs, so the program starts before the script returns, instead of being
// fetched from its data: address and compiled over later tasks. The browser's
// own base64 decoder is used where there is one (a tenth of the time of the
// runtime's loop). Browsers that refuse to compile this much on the page's
// thread (older versions of Chrome and of Android's WebView throw a
// RangeError) compile it in the background as before.
Module['instantiateWasm'] = function (imports, receive) {
  var bytes = Uint8Array.fromBase64
    ? Uint8Array.fromBase64(wasmBinaryFile.slice(wasmBinaryFile.indexOf(',') + 1))
    : getBinary(wasmBinaryFile);
  var module = null;
  try {
    module = new WebAssembly.Module(bytes);
  } catch (e) {
    if (!(e instanceof RangeError)) throw e;
  }
  if (module) {
    receive(new WebAssembly.Instance(module, imports), module);
  } else {
    WebAssembly.instantiate(bytes, imports).then(function (result) {
      receive(result.instance, result.module);
    }, abort);
  }
  return {};
};
