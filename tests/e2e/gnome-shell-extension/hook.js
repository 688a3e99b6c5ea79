// The tests' hook into the shell, on its own bus connection, after either wrapper's imports: Run(code) runs `code` as
// an async function's body and answers with its result in JSON.
const AsyncFunction = Object.getPrototypeOf(async function () {}).constructor;

function exportHook() {
    const xml = '<node><interface name="org.quorvane.TestShell"><method name="Run"><arg type="s" direction="in"/>' +
        '<arg type="s" direction="out"/></method></interface></node>';
    const hook = Gio.DBusExportedObject.wrapJSObject(xml, {
        async RunAsync([code], invocation) {
            try {
                const run = new AsyncFunction('global', 'Meta', 'Shell', 'Clutter', 'Gio', 'GLib', 'Main', code);
                const result = await run(global, Meta, Shell, Clutter, Gio, GLib, Main);
                invocation.return_value(new GLib.Variant('(s)', [JSON.stringify(result ?? null)]));
            } catch (e) {
                invocation.return_dbus_error('org.quorvane.TestShell.Error', `${e}\n${e.stack}`);
            }
        },
    });
    hook.export(Gio.DBus.session, '/org/quorvane/TestShell');
    return hook;
}
