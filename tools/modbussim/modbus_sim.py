#!/usr/bin/python3
"""A Modbus TCP device on a loopback port, built on pymodbus, for trying
vantord's gateway without hardware and for its tests.

    /usr/bin/python3 tools/modbussim/modbus_sim.py [--port N] [--units 1,2] [--size N]

It serves coils and holding registers 0..size-1 (default 1000) of every unit
(default unit 1); an address beyond them is refused with exception 2.  When it
listens it prints "ready <port>" (port 0 picks a free port).  Then it takes
commands on standard input, one a line, and answers each with one line:

    get <unit> coil|holding <address> [count]   ->  "value v1 v2 ..."
    set <unit> coil|holding <address> v1 [v2...] ->  "ok"
    stop      closes the port and every connection   ->  "stopped"
    start     listens on the same port again         ->  "started <port>"
    mute      keeps connections but answers nothing  ->  "muted"
    unmute    answers again                          ->  "unmuted"
    quit      ends the program (so does the end of standard input)

A failed command answers "error <why>".
"""

import argparse
import asyncio
import logging
import sys

from pymodbus.datastore import (
    ModbusSequentialDataBlock,
    ModbusServerContext,
    ModbusSlaveContext,
)
from pymodbus.server.async_io import ModbusConnectedRequestHandler, ModbusTcpServer

TABLES = {"coil": "c", "holding": "h"}
FUNCTION_OF = {"coil": 1, "holding": 3}


class Device:
    def __init__(self, host, port, units, size):
        self.host = host
        self.port = port
        self.muted = False
        self.server = None
        self.task = None
        self.handlers = set()
        slaves = {}
        for unit in units:
            slaves[unit] = ModbusSlaveContext(
                co=ModbusSequentialDataBlock(0, [0] * size),
                hr=ModbusSequentialDataBlock(0, [0] * size),
                di=ModbusSequentialDataBlock(0, [0] * size),
                ir=ModbusSequentialDataBlock(0, [0] * size),
                zero_mode=True,
            )
        self.context = ModbusServerContext(slaves=slaves, single=False)

    def handler_class(self):
        device = self

        class Handler(ModbusConnectedRequestHandler):
            def connection_made(self, transport):
                super().connection_made(transport)
                device.handlers.add(self)

            def connection_lost(self, call_exc):
                device.handlers.discard(self)
                super().connection_lost(call_exc)

            def data_received(self, data):
                # A muted device takes requests and never answers them.
                if not device.muted:
                    super().data_received(data)

        return Handler

    async def start(self):
        self.server = ModbusTcpServer(
            self.context,
            address=(self.host, self.port),
            handler=self.handler_class(),
            allow_reuse_address=True,
        )
        self.task = asyncio.ensure_future(self.server.serve_forever())
        await self.server.serving
        self.port = self.server.server.sockets[0].getsockname()[1]

    async def stop(self):
        if self.server is None:
            return
        for handler in list(self.handlers):
            handler.transport.abort()
        self.handlers.clear()
        await self.server.server_close()
        self.task.cancel()
        try:
            await self.task
        except asyncio.CancelledError:
            pass
        self.server = None

    def mute(self, muted):
        self.muted = muted

    def slave(self, unit):
        return self.context[int(unit)]


async def command(device, words):
    verb = words[0]
    if verb == "get":
        unit, table, address = words[1], words[2], int(words[3])
        count = int(words[4]) if len(words) > 4 else 1
        if not device.slave(unit).store[TABLES[table]].validate(address, count):
            raise ValueError("address out of range")
        values = device.slave(unit).getValues(FUNCTION_OF[table], address, count)
        return "value " + " ".join(str(int(v)) for v in values)
    if verb == "set":
        unit, table, address = words[1], words[2], int(words[3])
        values = [int(v) for v in words[4:]]
        if not values:
            raise ValueError("no values")
        store = device.slave(unit).store[TABLES[table]]
        if not store.validate(address, len(values)):
            raise ValueError("address out of range")
        store.setValues(address, values)
        return "ok"
    if verb == "stop":
        await device.stop()
        return "stopped"
    if verb == "start":
        if device.server is None:
            await device.start()
        return f"started {device.port}"
    if verb == "mute":
        device.mute(True)
        return "muted"
    if verb == "unmute":
        device.mute(False)
        return "unmuted"
    raise ValueError(f"unknown command {verb}")


async def main():
    parser = argparse.ArgumentParser(description="A Modbus TCP device for tests")
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--units", default="1")
    parser.add_argument("--size", type=int, default=1000)
    args = parser.parse_args()
    # pymodbus logs every refused request; the simulator's answers say enough.
    logging.getLogger("pymodbus").setLevel(logging.CRITICAL + 1)

    units = [int(u) for u in args.units.split(",") if u.strip()]
    device = Device(args.host, args.port, units, args.size)
    await device.start()
    print(f"ready {device.port}", flush=True)

    loop = asyncio.get_running_loop()
    reader = asyncio.StreamReader()
    await loop.connect_read_pipe(lambda: asyncio.StreamReaderProtocol(reader), sys.stdin)
    while True:
        line = await reader.readline()
        if not line:
            break
        words = line.decode().split()
        if not words:
            continue
        if words[0] == "quit":
            break
        try:
            answer = await command(device, words)
        except Exception as exc:  # pylint: disable=broad-except
            answer = "error " + " ".join(str(exc).split())
        print(answer, flush=True)
    await device.stop()


if __name__ == "__main__":
    asyncio.run(main())
