import java.util.concurrent.CountDownLatch;

// The primary of the hand-over benchmark: main waits until a second start forwards "stop";
// secondaryMain returns at once, so what is measured is the launcher's hand-over alone.
public final class Handover {
  private static final CountDownLatch stop = new CountDownLatch(1);

  public static void main(String[] args) throws InterruptedException { stop.await(); }

  public static void secondaryMain(String[] args) {
    if (args.length > 0 && args[0].equals("stop")) {
      stop.countDown();
    }
  }
}
