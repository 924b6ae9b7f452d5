#!/usr/bin/env python3
"""A long way to the remote station, on the loopback: every chunk of bytes is held a fixed time
(with jitter, in order) in each direction between the panel and the serial server, as a VPN
across the country or a mobile link holds it.

    delay_proxy.py LISTEN_PORT SERVER_PORT ONE_WAY_MS [JITTER_PERCENT] [--seconds N]

Listens on 127.0.0.1:LISTEN_PORT and joins each connection to 127.0.0.1:SERVER_PORT. A chunk
waits ONE_WAY_MS plus or minus JITTER_PERCENT (10 unless given), never overtaking the one
before it. The end of one side reaches the other after the same delay. Ends after N seconds
(600 unless given).
"""

import argparse
import asyncio
import random


async def carry(reader, writer, one_way, jitter):
    """Copies reader to writer, each chunk released one delay after it arrived, in order."""
    loop = asyncio.get_running_loop()
    on_the_way = asyncio.Queue()

    async def take():
        released = 0.0
        while True:
            try:
                chunk = await reader.read(4096)
            except (ConnectionError, OSError):
                chunk = b""
            released = max(released, loop.time() + one_way * (1 + random.uniform(-jitter, jitter)))
            await on_the_way.put((released, chunk))
            if not chunk:
                return

    taking = asyncio.create_task(take())
    try:
        while True:
            released, chunk = await on_the_way.get()
            await asyncio.sleep(max(0.0, released - loop.time()))
            if not chunk:
                break
            writer.write(chunk)
            await writer.drain()
    except (ConnectionError, OSError):
        taking.cancel()
    finally:
        writer.close()


async def join(server_port, one_way, jitter, panel_reader, panel_writer):
    try:
        server_reader, server_writer = await asyncio.open_connection("127.0.0.1", server_port)
    except OSError:
        panel_writer.close()  # no server: the panel's connection is refused, late
        return
    await asyncio.gather(carry(panel_reader, server_writer, one_way, jitter),
                         carry(server_reader, panel_writer, one_way, jitter))


async def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("listen_port", type=int)
    parser.add_argument("server_port", type=int)
    parser.add_argument("one_way_ms", type=float)
    parser.add_argument("jitter_percent", type=float, nargs="?", default=10.0)
    parser.add_argument("--seconds", type=float, default=600.0)
    args = parser.parse_args()
    one_way = args.one_way_ms / 1000.0
    jitter = args.jitter_percent / 100.0
    server = await asyncio.start_server(lambda r, w: join(args.server_port, one_way, jitter, r, w), "127.0.0.1",
                                        args.listen_port)
    async with server:
        await asyncio.sleep(args.seconds)


if __name__ == "__main__":
    asyncio.run(main())
