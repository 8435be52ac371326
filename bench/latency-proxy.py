#!/usr/bin/env python3
"""A TCP relay on 127.0.0.1 that gives loopback the round trip of a real network.

    bench/latency-proxy.py LISTEN-PORT TARGET-PORT DELAY-MS

Every connection to LISTEN-PORT is relayed to 127.0.0.1:TARGET-PORT. Each direction's bytes
are held DELAY-MS after they arrive, in their order, and then passed on, so a request and
its answer cost one round trip of twice DELAY-MS, as across a network; bytes that follow
each other stay as close as they came (the relay adds latency, not a bandwidth limit).
Opening a connection costs one round trip too: the client's first bytes leave no earlier
than a round trip after it connected, as they would after a TCP handshake.

Prints "ready" on a line of its own once it listens; runs until it is killed.
"""
import asyncio
import sys
import time

CHUNK = 1 << 16


async def relay(reader, writer, delay, earliest):
    """Passes what `reader` gives to `writer`, each chunk `delay` seconds after it came and
    no earlier than `earliest` (a monotonic time); ends with the reader's end of file."""
    queue = asyncio.Queue()

    async def read():
        while True:
            try:
                data = await reader.read(CHUNK)
            except ConnectionError:
                data = b""
            queue.put_nowait((max(time.monotonic(), earliest) + delay, data))
            if not data:
                return

    async def write():
        while True:
            due, data = await queue.get()
            wait = due - time.monotonic()
            if wait > 0:
                await asyncio.sleep(wait)
            try:
                if not data:
                    if writer.can_write_eof():
                        writer.write_eof()
                    return
                writer.write(data)
                await writer.drain()
            except ConnectionError:
                return

    await asyncio.gather(read(), write())


async def serve(target_port, delay, client_reader, client_writer):
    connected = time.monotonic()
    try:
        server_reader, server_writer = await asyncio.open_connection("127.0.0.1", target_port)
    except OSError:
        client_writer.close()
        return
    try:
        await asyncio.gather(
            relay(client_reader, server_writer, delay, connected + 2 * delay),
            relay(server_reader, client_writer, delay, connected),
        )
    finally:
        for writer in (server_writer, client_writer):
            writer.close()


async def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    listen_port, target_port = int(sys.argv[1]), int(sys.argv[2])
    delay = float(sys.argv[3]) / 1000
    server = await asyncio.start_server(
        lambda r, w: serve(target_port, delay, r, w), "127.0.0.1", listen_port, backlog=256
    )
    print("ready", flush=True)
    async with server:
        await server.serve_forever()


if __name__ == "__main__":
    asyncio.run(main())
